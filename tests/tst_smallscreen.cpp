// SPDX-License-Identifier: GPL-3.0-or-later
// The program on a 1024 x 768 screen: every window opens within the screen,
// with room for a title bar and a panel, resizing the control charts keeps
// the page on show, and at the largest zoom the screen allows the maximised
// main window and the charts show every text whole.

#include "common/zoom.h"
#include "reports/controlchartswindow.h"
#include "readability.h"
#include "testsupport.h"

#include <QAction>
#include <QHeaderView>
#include <QLabel>
#include <QScreen>
#include <QTableView>

using namespace testsupport;

class TestSmallScreen : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { freshConfiguration(); }

    void windowsOpenWithinTheScreen()
    {
        QWidget *main = startMainWindow();
        click(main, QStringLiteral("contchrbutton"));
        click(main, QStringLiteral("cmdHelp"));
        const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
        QCOMPARE(area, QRect(0, 0, 1024, 768));
        // The offscreen platform draws a thin border but no title bar: one of 28 pixels is added.
        constexpr int titleBar = 28, panel = 40;
        for (const char *name : {"quincunxform", "frmCtrlChrt", "helpWindow"}) {
            const QWidget *window = topLevel(QString::fromLatin1(name));
            QVERIFY2(window && window->isVisible(), name);
            const QRect frame = window->frameGeometry().adjusted(0, 0, 0, titleBar);
            QVERIFY2(area.adjusted(0, 0, 0, -panel).contains(frame), qPrintable(QStringLiteral("%1: %2,%3 %4x%5").arg(name).arg(frame.x()).arg(frame.y()).arg(frame.width()).arg(frame.height())));
        }
    }

    void resizingTheChartsKeepsThePageOnShow()
    {
        QWidget *main = startMainWindow();
        QVERIFY(runSubgroups(main, 25).isEmpty());
        click(main, QStringLiteral("contchrbutton"));
        auto *charts = qobject_cast<kelvara::ControlChartsWindow *>(topLevel(QStringLiteral("frmCtrlChrt")));
        click(charts, QStringLiteral("chartlbutton"));
        click(charts, QStringLiteral("chartlbutton"));
        QCOMPARE(charts->firstSubgroup(), 13);
        auto *upper = child<QWidget>(charts, QStringLiteral("xchartpicture"));
        const QSize before = upper->size();
        charts->resize(charts->size() - QSize(120, 90));
        QTRY_VERIFY_WITH_TIMEOUT(upper->size() != before, 10000);
        QCOMPARE(charts->firstSubgroup(), 13);
    }

    void histogramsStayWithinTheScreen_data()
    {
        QTest::addColumn<int>("percent");
        QTest::newRow("100 %") << 100;
        QTest::newRow("150 %") << 150;
    }

    // With the ideal's long comparison lines beside the table, the
    // histograms in the board's place keep the main window on the screen,
    // and the zoom's step there kept the board at least as large.
    void histogramsStayWithinTheScreen()
    {
        QFETCH(int, percent);
        auto *main = qobject_cast<kelvara::QuincunxForm *>(startMainWindow());
        QWidget *board = child(main, QStringLiteral("qpicture"));
        QTRY_VERIFY_WITH_TIMEOUT(board->width() > 600, 10000);
        const int side = board->width();
        kelvara::zoom::setPercent(percent);
        QTRY_VERIFY_WITH_TIMEOUT(board->width() >= side, 10000);
        scaleBoard(15, 999999, 0, 0);
        QVERIFY(runSubgroups(main, 5).isEmpty());
        click(main, QStringLiteral("histbutton"));
        main->findChild<QAction *>(QStringLiteral("mnuShowIdeal"))->setChecked(true);
        QVERIFY(child<QLabel>(main, QStringLiteral("meanIdealText"))->text().contains(QStringLiteral("999999")));
        QTRY_VERIFY_WITH_TIMEOUT(unreadableTexts(main, 0).isEmpty(), 10000);
        QVERIFY(QGuiApplication::primaryScreen()->availableGeometry().contains(main->frameGeometry()));
        click(main, QStringLiteral("histbackbutton"));
        main->findChild<QAction *>(QStringLiteral("mnuShowIdeal"))->setChecked(false);
        kelvara::zoom::actualSize();
    }

    void largestZoomShowsEveryTextWhole()
    {
        QWidget *main = startMainWindow();
        kelvara::zoom::setPercent(200);
        QCOMPARE(kelvara::zoom::percent(), 150); // as far as this screen shows every window whole
        main->showMaximized();
        QVERIFY(runSubgroups(main, 5).isEmpty());
        QStringList faults = unreadableTextsOnceSettled(main, 0);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QStringLiteral("; "))));
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        QTRY_VERIFY_WITH_TIMEOUT(screen.contains(main->frameGeometry()), 10000);
        // The charts with the run rules' sentence, after a move of the funnel.
        click(main, QStringLiteral("contchrbutton"));
        QWidget *charts = topLevel(QStringLiteral("frmCtrlChrt"));
        charts->findChild<QAction *>(QStringLiteral("mnuShowRunRules"))->trigger();
        for (int slot = 0; slot < 3; ++slot)
            click(main, QStringLiteral("funnelrightbutton"));
        QVERIFY(runSubgroups(main, 25).isEmpty());
        QVERIFY(!child<QLabel>(charts, QStringLiteral("detectionLabel"))->text().isEmpty());
        QTRY_VERIFY_WITH_TIMEOUT(screen.contains(charts->frameGeometry()), 10000);
        faults = unreadableTextsOnceSettled(charts, 0);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QStringLiteral("; "))));
        charts->findChild<QAction *>(QStringLiteral("mnuShowRunRules"))->trigger();
        charts->hide();
        click(main, QStringLiteral("histbutton"));
        auto *frozen = child<QTableView>(main, QStringLiteral("frozenColumns"));
        QTRY_VERIFY_WITH_TIMEOUT(frozen->isVisible(), 10000);
        auto *table = child<QTableView>(main, QStringLiteral("grdScaled"));
        QCOMPARE(frozen->font(), table->font());
        QCOMPARE(frozen->horizontalHeader()->font(), table->horizontalHeader()->font());
        faults = unreadableTextsOnceSettled(main, 0);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QStringLiteral("; "))));
        click(main, QStringLiteral("histbackbutton"));

        // The demonstration's caption card stays on the board.
        auto *card = child<QLabel>(main, QStringLiteral("teachpanel"));
        QRect cardArea;
        QTimer poll;
        connect(&poll, &QTimer::timeout, [&] {
            if (card->isVisible() && !card->pixmap().isNull() && cardArea.isNull()) {
                cardArea = card->geometry();
                QTest::keyClick(card, Qt::Key_Escape);
            }
        });
        poll.start(0);
        testsupport::answerMessages([main] { click(main, QStringLiteral("selfscriptbutton")); }, QMessageBox::Yes);
        QVERIFY(qobject_cast<kelvara::QuincunxForm *>(main)->boardArea().contains(cardArea));
        kelvara::zoom::actualSize();
    }
};

// The tests run on a 1024x768 laptop screen.
KELVARA_TEST_ON_SCREEN(TestSmallScreen, 1024, 768)

#include "tst_smallscreen.moc"
