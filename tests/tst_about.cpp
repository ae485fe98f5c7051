// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/windowplacement.h"
#include "testsupport.h"
#include "windows/aboutwindow.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QScopeGuard>
#include <QScreen>

class TestAbout : public QObject {
    Q_OBJECT

    QWidget *m_main = nullptr;

private slots:
    void initTestCase() { QVERIFY((m_main = testsupport::startProgram())); }

    // Each row opens the window again from the About button: each time it is
    // the "Kelvara" window, modal and centred by centreForm.
    void closesOnlyByCloseOrEsc_data()
    {
        QTest::addColumn<int>("key"); // 0: the Close button
        QTest::addColumn<bool>("closes");
        QTest::newRow("Close button") << 0 << true;
        QTest::newRow("Esc, the same way") << int(Qt::Key_Escape) << true;
        QTest::newRow("Enter leaves it open") << int(Qt::Key_Return) << false;
        QTest::newRow("Space leaves it open") << int(Qt::Key_Space) << false;
    }
    void closesOnlyByCloseOrEsc()
    {
        QFETCH(int, key);
        QFETCH(bool, closes);
        bool opened = false;
        QTimer::singleShot(0, [&] {
            auto *about = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            if (!about)
                return;
            const auto closeAfter = qScopeGuard([about] { about->reject(); });
            opened = true;
            QCOMPARE(about->objectName(), QStringLiteral("frmAbout"));
            QCOMPARE(about->windowTitle(), QStringLiteral("Kelvara"));
            const QRect screen = about->screen()->geometry();
            QCOMPARE(about->pos(),
                     screen.topLeft() + kelvara::centredPosition(about->frameGeometry().size(), screen.size()));
            auto *close = testsupport::child<QAbstractButton>(about, QStringLiteral("cmdOK"));
            QCOMPARE(close ? close->text() : QString(), QStringLiteral("Close"));
            key ? QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : about, Qt::Key(key))
                : close->click();
            QCOMPARE(about->isVisible(), !closes);
            QCOMPARE(about->result(), int(QDialog::Rejected));
        });
        testsupport::click(m_main, QStringLiteral("aboutbutton"));
        QVERIFY(opened);
    }

    // An interactive GPL program shows its notices: the version CMake built,
    // the copyright, free software without warranty, and the licence itself.
    void showsVersionCopyrightAndLicence()
    {
        kelvara::AboutWindow about(m_main);
        about.show();
        const auto text = [&about](const char *name) {
            auto *label = testsupport::child<QLabel>(&about, QLatin1String(name));
            return label && label->isVisible() ? label->text() : QString();
        };
        QCOMPARE(text("versionLabel"), QStringLiteral("Version " KELVARA_PROJECT_VERSION));
        QVERIFY(text("copyrightLabel").startsWith(QStringLiteral("Copyright \u00a9 ")));
        for (const char *notice : {"free software", "GPL-3.0-or-later", "NO WARRANTY"})
            QVERIFY2(text("licenceLabel").contains(QLatin1String(notice)), notice);
        QString licence;
        QTimer::singleShot(0, [&licence] {
            QWidget *window = QApplication::activeModalWidget();
            if (!window || window->objectName() != QStringLiteral("frmLicence"))
                return;
            if (auto *view = window->findChild<QPlainTextEdit *>(QStringLiteral("licenceText")); view && view->isReadOnly())
                licence = view->toPlainText();
            QTest::keyClick(window, Qt::Key_Escape);
        });
        testsupport::click(&about, QStringLiteral("cmdLicence"));
        for (const char *part : {"GNU GENERAL PUBLIC LICENSE", "Version 3, 29 June 2007", "END OF TERMS AND CONDITIONS"})
            QVERIFY2(licence.contains(QLatin1String(part)), part);
        QVERIFY(about.isVisible());
    }

    void pictureShowsTheRedBand()
    {
        kelvara::AboutWindow about(m_main);
        about.show();
        QWidget *picture = testsupport::child(&about, QStringLiteral("aboutpicture"));
        QCOMPARE(picture ? picture->size() : QSize(), QSize(300, 300));
        const QImage image = picture->grab().toImage();
        const QColor band = image.pixelColor(20, 20), below = image.pixelColor(8, 100);
        QVERIFY2(band.red() > 140 && band.green() < 60 && band.blue() < 60 && below.lightness() > 230,
                 qPrintable(band.name() + QLatin1Char(' ') + below.name()));
    }
};

QTEST_MAIN(TestAbout)
#include "tst_about.moc"
