#include "app/utilities.h"
#include "testsupport.h"
#include "windows/aboutwindow.h"

#include <QPushButton>
#include <QScreen>
#include <QtTest>

#include <functional>

using namespace kelvara;
using testsupport::child;

// What the test saw while the about window was open.
struct Visit {
    QString name;
    QString title;
    bool modal = false;
    bool openAfterKeys = false;
    int result = -1; // the dialog's result once the test has acted
    QPoint position;
    QPoint expected;
};

class TestAbout : public QObject {
    Q_OBJECT

    QWidget *m_main = nullptr;

    // Opens the about window from the main window's About button, lets `act`
    // work on it while it is modal, and returns once it has closed.
    Visit visit(const std::function<void(QDialog *, Visit &)> &act)
    {
        Visit seen;
        QTimer::singleShot(0, [&] {
            auto *about = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            if (!about)
                return;
            seen.name = about->objectName();
            seen.title = about->windowTitle();
            seen.modal = about->isModal();
            const QRect screen = about->screen()->geometry();
            seen.position = about->pos();
            seen.expected = screen.topLeft() + centredPosition(about->frameGeometry().size(), screen.size());
            act(about, seen);
            seen.result = about->result();
            // Whatever the test did, the window must not outlive it.
            if (about->isVisible())
                about->reject();
        });
        testsupport::click(m_main, QStringLiteral("aboutbutton"));
        return seen;
    }

private slots:
    void initTestCase()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        m_main = testsupport::startProgram();
        QVERIFY(m_main);
    }

    void opensModallyWithTitleAndIcon()
    {
        const Visit seen = visit([](QDialog *about, Visit &) {
            QVERIFY(!about->windowIcon().isNull());
            auto *close = child<QPushButton>(about, QStringLiteral("cmdOK"));
            QVERIFY(close);
            QCOMPARE(close->text(), QStringLiteral("Close"));
        });
        QCOMPARE(seen.name, QStringLiteral("frmAbout"));
        QCOMPARE(seen.title, QStringLiteral("Kelvara"));
        QVERIFY(seen.modal);
        QVERIFY(!testsupport::topLevel(QStringLiteral("frmAbout")));
    }

    void closeButtonCloses()
    {
        const Visit seen = visit([](QDialog *about, Visit &visit) {
            child<QPushButton>(about, QStringLiteral("cmdOK"))->click();
            visit.openAfterKeys = about->isVisible();
        });
        QVERIFY(!seen.openAfterKeys);
        QCOMPARE(seen.result, int(QDialog::Rejected));
    }

    void onlyEscCloses_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("closes");
        QTest::newRow("Esc closes") << int(Qt::Key_Escape) << true;
        QTest::newRow("a letter does nothing") << int(Qt::Key_A) << false;
        QTest::newRow("Enter does nothing") << int(Qt::Key_Return) << false;
        QTest::newRow("Space does nothing") << int(Qt::Key_Space) << false;
        QTest::newRow("F1 does nothing") << int(Qt::Key_F1) << false;
    }
    void onlyEscCloses()
    {
        QFETCH(int, key);
        QFETCH(bool, closes);
        const Visit seen = visit([key](QDialog *about, Visit &visit) {
            QWidget *target = QApplication::focusWidget() ? QApplication::focusWidget() : about;
            QTest::keyClick(target, Qt::Key(key));
            visit.openAfterKeys = about->isVisible();
        });
        QCOMPARE(seen.name, QStringLiteral("frmAbout"));
        QCOMPARE(seen.openAfterKeys, !closes);
        if (closes) // exactly as the Close button does
            QCOMPARE(seen.result, int(QDialog::Rejected));
    }

    void centredEachTimeItOpens()
    {
        for (int opening = 1; opening <= 2; ++opening) {
            const Visit seen = visit([](QDialog *, Visit &) {});
            QCOMPARE(seen.name, QStringLiteral("frmAbout"));
            QCOMPARE(seen.position, seen.expected);
        }
    }

    void pictureShowsTheRedBand()
    {
        AboutWindow about(m_main);
        about.show();
        QWidget *picture = child<QWidget>(&about, QStringLiteral("aboutpicture"));
        QVERIFY(picture);
        QCOMPARE(picture->size(), QSize(300, 300));
        const QImage image = picture->grab().toImage();
        const QColor band = image.pixelColor(20, 20);
        QVERIFY2(band.red() > 140 && band.green() < 60 && band.blue() < 60, qPrintable(band.name()));
        const QColor below = image.pixelColor(8, 100);
        QVERIFY2(below.lightness() > 230, qPrintable(below.name()));
    }
};

QTEST_MAIN(TestAbout)
#include "tst_about.moc"
