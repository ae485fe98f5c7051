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
    return QImage(QStringLiteral(":/kelvara/icons/hicolor/%1x%1/apps/kelvara.png").arg(size));
}

// The largest difference of a channel between two pictures of the same size,
// compared premultiplied: un-premultiplying a pixel of low alpha would
// magnify a rounding step that depends on the processor's vector instructions.
static int largestDifference(const QImage &a, const QImage &b)
{
    const QImage left = a.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QImage right = b.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (left.size() != right.size())
        return 255;
    int largest = 0;
    for (qsizetype i = 0; i < left.sizeInBytes(); ++i)
        largest = std::max(largest, std::abs(left.constBits()[i] - right.constBits()[i]));
    return largest;
}

class TestIcon : public QObject {
    Q_OBJECT

    QWidget *m_main = nullptr;

private slots:
    void initTestCase() { QVERIFY((m_main = testsupport::startProgram())); }

    // A test executable only links the static library: the icon must still be
    // there. Two levels of difference in a channel allow for another Qt's
    // antialiasing, or another processor's rounding.
    void resourceIsWhatThePainterDraws()
    {
        for (const int size : {48, 256}) {
            QCOMPARE(resourceImage(size).size(), QSize(size, size));
            QVERIFY2(largestDifference(kelvara::applicationIconImage(size), resourceImage(size)) <= 2,
                     "the icon files are stale: run scripts/icon.sh");
        }
    }

    void windowsShowTheResourceIcon()
    {
        const kelvara::AboutWindow about(m_main);
        const std::pair<QString, QIcon> windows[] = {{"main window", m_main->windowIcon()},
                                                     {"about window", about.windowIcon()},
                                                     {"application, for the others", QApplication::windowIcon()}};
        for (const auto &[window, icon] : windows)
            for (const int size : {48, 256})
                QVERIFY2(largestDifference(icon.pixmap(size).toImage(), resourceImage(size)) <= 2,
                         qPrintable(QStringLiteral("%1 at %2 px").arg(window).arg(size)));
    }
};

QTEST_MAIN(TestIcon)
#include "tst_icon.moc"
