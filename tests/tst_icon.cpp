// SPDX-License-Identifier: GPL-3.0-or-later
#include "testsupport.h"
#include "windows/aboutwindow.h"
#include "windows/applicationiconpainter.h"

#include <QtTest>

#include <cstdlib>

// The program's icon: compiled into the library, shown by the windows, and
// the very picture its painter draws, so the installed icon matches too.

static QImage resourceImage(int size)
{
    return QImage(QStringLiteral(":/kelvara/icons/hicolor/%1x%1/apps/kelvara.png").arg(size))
        .convertToFormat(QImage::Format_ARGB32);
}

class TestIcon : public QObject {
    Q_OBJECT

    QWidget *m_main = nullptr;

private slots:
    void initTestCase() { QVERIFY((m_main = testsupport::startProgram())); }

    void resourceIsWhatThePainterDraws_data()
    {
        QTest::addColumn<int>("size");
        QTest::newRow("48 px") << 48;
        QTest::newRow("256 px") << 256;
    }
    // A test executable only links the static library: the icon must still be
    // there. Two levels of difference in a channel allow for another Qt's antialiasing.
    void resourceIsWhatThePainterDraws()
    {
        QFETCH(int, size);
        const QImage resource = resourceImage(size);
        QCOMPARE(resource.size(), QSize(size, size));
        const QImage painted = kelvara::applicationIconImage(size).convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(painted.size(), resource.size());
        int largest = 0;
        for (qsizetype i = 0; i < painted.sizeInBytes(); ++i)
            largest = std::max(largest, std::abs(painted.constBits()[i] - resource.constBits()[i]));
        QVERIFY2(largest <= 2, "the icon files are stale: run scripts/icon.sh");
    }

    void windowsShowTheResourceIcon()
    {
        const kelvara::AboutWindow about(m_main);
        const std::pair<QString, QIcon> windows[] = {{"main window", m_main->windowIcon()},
                                                     {"about window", about.windowIcon()},
                                                     {"application, for the others", QApplication::windowIcon()}};
        for (const auto &[window, icon] : windows)
            for (const int size : {48, 256})
                QVERIFY2(icon.pixmap(size).toImage().convertToFormat(QImage::Format_ARGB32) == resourceImage(size),
                         qPrintable(QStringLiteral("%1 at %2 px").arg(window).arg(size)));
    }
};

QTEST_MAIN(TestIcon)
#include "tst_icon.moc"
