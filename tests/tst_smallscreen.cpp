// SPDX-License-Identifier: GPL-3.0-or-later
// The program on a 1024 x 768 screen: every window opens within the screen,
// with room for a title bar and a panel, resizing the control charts keeps
// the page on show, and at the largest zoom the maximised main window shows
// every text whole.

#include "common/shared.h"
#include "common/zoom.h"
#include "readability.h"
#include "rundriver.h"
#include "testsupport.h"

#include <QLabel>
#include <QScreen>

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
        rundriver::startRun(main, 5);
        QVERIFY(rundriver::dropSubgroups(main, 25));
        click(main, QStringLiteral("contchrbutton"));
        QWidget *charts = topLevel(QStringLiteral("frmCtrlChrt"));
        click(charts, QStringLiteral("chartlbutton"));
        click(charts, QStringLiteral("chartlbutton"));
        QCOMPARE(int(kelvara::shared().chartFirstSubgroup), 13);
        auto *upper = child<QWidget>(charts, QStringLiteral("xchartpicture"));
        const QSize before = upper->size();
        charts->resize(charts->size() - QSize(120, 90));
        QApplication::processEvents();
        QVERIFY(upper->size() != before);
        QCOMPARE(int(kelvara::shared().chartFirstSubgroup), 13);
    }

    void largestZoomShowsEveryTextWhole()
    {
        QWidget *main = startMainWindow();
        kelvara::zoom::setPercent(200);
        main->showMaximized();
        QVERIFY(runSubgroups(main, 5).isEmpty());
        QTest::qWait(50);
        const QStringList faults = unreadableTexts(main, 0);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QStringLiteral("; "))));
        QVERIFY(QGuiApplication::primaryScreen()->availableGeometry().contains(main->frameGeometry()));

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
        click(main, QStringLiteral("selfscriptbutton"));
        QVERIFY(qobject_cast<kelvara::QuincunxForm *>(main)->boardArea().contains(cardArea));
        kelvara::zoom::actualSize();
    }
};

// The tests run on a 1024x768 laptop screen.
int main(int argc, char *argv[])
{
    if (!testsupport::useOffscreenScreen(1024, 768))
        return 1;
    QApplication app(argc, argv);
    TestSmallScreen test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_smallscreen.moc"
