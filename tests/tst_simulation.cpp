// SPDX-License-Identifier: GPL-3.0-or-later
// Runs through the real main window: balls, subgroups, labels, Pause, a full
// board or baffle, the funnel's travel, and closing the window mid-Run.

#include "testsupport.h"

#include "common/shared.h"
#include "core/dropcycle.h"
#include "surface/drawingsurface.h"
#include "surface/overlay.h"
#include "windows/quincunxform.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>
#include <QToolButton>

using namespace kelvara;
using testsupport::child;

namespace {

void setText(QuincunxForm *form, const char *box, const QString &text)
{
    child<QLineEdit>(form, box)->setText(text);
}

QList<testsupport::SeenMessage> drop(QuincunxForm *form, int subgroups)
{
    return testsupport::runSubgroups(form, subgroups);
}

int ballsOnBoard(const RunState &run)
{
    int balls = 0;
    for (std::size_t slot = 1; slot <= 31; ++slot)
        balls += run.slotCount[slot] + run.baffleCount[slot];
    return balls;
}

// Calls `action` from the event loop the first time `condition` holds.
class WhenReady : public QObject {
public:
    WhenReady(std::function<bool()> condition, std::function<void()> action)
        : m_condition(std::move(condition)), m_action(std::move(action))
    {
        startTimer(0);
    }

protected:
    void timerEvent(QTimerEvent *event) override
    {
        if (m_done || !m_condition())
            return;
        m_done = true;
        killTimer(event->timerId());
        m_action();
    }

private:
    std::function<bool()> m_condition;
    std::function<void()> m_action;
    bool m_done = false;
};

} // namespace

class TestSimulation : public QObject {
    Q_OBJECT
private slots:
    void runDropsTheRequestedBalls_data()
    {
        QTest::addColumn<bool>("animated");
        QTest::newRow("instant") << false;
        QTest::newRow("animated") << true;
    }
    void runDropsTheRequestedBalls()
    {
        QFETCH(bool, animated);
        QuincunxForm *form = testsupport::startMainWindow();
        child<QCheckBox>(form, "Animationcheck")->setChecked(animated);
        QVERIFY(drop(form, 5).isEmpty());
        QCOMPARE(ballsOnBoard(form->run()), 25);
        QCOMPARE(child<QLabel>(form, "subgroupstatuslabel")->text(), QStringLiteral("Sub Group #5"));
        QTableWidget *table = child<QTableWidget>(form, "grdScaled");
        QCOMPARE(table->rowCount(), 5);
        QCOMPARE(table->item(4, 0)->text(), QStringLiteral("5"));
        // Only the landed balls remain: no moving shape is left behind.
        QCOMPARE(form->findChildren<OverlayShape *>(QStringLiteral("qball")).size(), 1);
        QVERIFY(child<QWidget>(form, "settingsframe")->isEnabled());
    }

    // The subgroup label changes after every subgroup without laying the
    // window out again, keeps the size of the place it was given, and shows
    // each new count and a change of its enabled state.
    void subgroupCountLeavesTheLayoutAlone()
    {
        class LayoutRequests : public QObject {
        public:
            int count = 0;

        protected:
            bool eventFilter(QObject *, QEvent *event) override
            {
                count += event->type() == QEvent::LayoutRequest;
                return false;
            }
        } requests;
        QuincunxForm *form = testsupport::startMainWindow();
        setText(form, "climitstext", "50"); // no capability labels appear on the board
        drop(form, 1);
        qApp->installEventFilter(&requests);
        QVERIFY(drop(form, 2).isEmpty());
        const int forTwo = std::exchange(requests.count, 0);
        QVERIFY(drop(form, 20).isEmpty());
        QCOMPARE(requests.count, forTwo);
        auto *label = child<QLabel>(form, "subgroupstatuslabel");
        QCOMPARE(label->text(), QStringLiteral("Sub Group #23"));
        QCOMPARE(label->geometry(), label->parentWidget()->rect());
        QVERIFY(label->width() >= label->sizeHint().width());
        const QImage shown = label->grab().toImage();
        label->setText(QStringLiteral("Sub Group #32"));
        QVERIFY(label->grab().toImage() != shown);
        label->setText(QStringLiteral("Sub Group #23"));
        QCOMPARE(label->grab().toImage(), shown);
        label->setEnabled(false);
        QVERIFY(label->grab().toImage() != shown);
    }

    void traceShowsTheLastBallsPath()
    {
        QuincunxForm *form = testsupport::startMainWindow();
        child<QCheckBox>(form, "Animationcheck")->setChecked(true);
        child<QCheckBox>(form, "chkTrace")->setChecked(true);
        drop(form, 1);
        // One segment per row and the last one down to the slots, plus the template.
        QCOMPARE(form->findChildren<OverlayLine *>(QStringLiteral("traceLine")).size(), 1 + 21);
        child<QCheckBox>(form, "chkTrace")->setChecked(false);
        QCOMPARE(form->findChildren<OverlayLine *>(QStringLiteral("traceLine")).size(), 1);
    }

    void limitsAndCapabilityAppearInTurn()
    {
        QuincunxForm *form = testsupport::startMainWindow();
        setText(form, "climitstext", QStringLiteral("5"));
        shared().scale.showSpecLimits = true;
        drop(form, 4);
        QWidget *charts = testsupport::topLevel(QStringLiteral("frmCtrlChrt"));
        QVERIFY(child<QLabel>(charts, "xvaluestitle")->text().isEmpty());
        drop(form, 1);
        QVERIFY(child<QLabel>(charts, "xvaluestitle")->text().startsWith(QStringLiteral("Mean X-Bar = ")));
        QVERIFY(child<QLabel>(charts, "rvaluestitle")->text().startsWith(QStringLiteral("R-Bar = ")));
        const QString limits = child<QLabel>(charts, "xvaluestitle")->text();
        drop(form, 1);
        QCOMPARE(child<QLabel>(charts, "xvaluestitle")->text(), limits);
        QVERIFY(child<QLabel>(form, "cplabel")->isVisible());
        QVERIFY(child<QLabel>(form, "cplabel")->text() != QStringLiteral("No Spec"));

        form->board().funnel().moveLeft();
        drop(form, 1);
        QCOMPARE(child<QLabel>(form, "cplabel")->text(), QStringLiteral("NA"));
        QCOMPARE(child<QLabel>(form, "cpklabel")->text(), QStringLiteral("NA"));
        shared().scale.showSpecLimits = false;
    }

    // Pp and Ppk show and hide with Cp and Cpk, from every reading shown in the table, and
    // stay computed after a funnel move. They sit in the board's right margin, clear of the
    // pins and of every other label and button, at the window's smallest size and a large one.
    void performanceBesideCapability()
    {
        QuincunxForm *form = testsupport::startMainWindow();
        setText(form, "climitstext", QStringLiteral("5"));
        shared().scale.showSpecLimits = true;
        drop(form, 4);
        const QStringList names{"cptitlelabel", "cpktitlelabel", "cplabel", "cpklabel",
                                "pptitlelabel", "ppktitlelabel", "pplabel", "ppklabel"};
        auto shown = [&] {
            QString visible;
            for (const QString &name : names)
                visible += child<QLabel>(form, name)->isVisible() ? u'1' : u'0';
            return visible;
        };
        QCOMPARE(shown(), QStringLiteral("00000000"));
        auto expected = [form] { // Pp, Ppk from the table's readings, spec limits 1 and 31
            QTableWidget *table = child<QTableWidget>(form, "grdScaled");
            QList<double> readings;
            for (int row = 0; row < table->rowCount(); ++row)
                for (int column = 1; column <= 5; ++column)
                    readings << table->item(row, column)->text().toDouble();
            const double mean = std::accumulate(readings.begin(), readings.end(), 0.0) / readings.size();
            double squares = 0;
            for (const double reading : readings)
                squares += (reading - mean) * (reading - mean);
            const double s = std::sqrt(squares / (readings.size() - 1));
            return QStringList{QString::number(30 / (6 * s), 'f', 2),
                               QString::number(std::min(31 - mean, mean - 1) / (3 * s), 'f', 2)};
        };
        auto performance = [form] { return QStringList{child<QLabel>(form, "pplabel")->text(), child<QLabel>(form, "ppklabel")->text()}; };
        drop(form, 2);
        QCOMPARE(shown(), QStringLiteral("11111111"));
        QCOMPARE(child<QLabel>(form, "pptitlelabel")->text() + child<QLabel>(form, "ppktitlelabel")->text(), "PpPpk");
        QCOMPARE(performance(), expected());

        form->board().funnel().moveRight();
        form->board().funnel().moveRight();
        drop(form, 3);
        QCOMPARE(child<QLabel>(form, "cplabel")->text(), QStringLiteral("NA"));
        QCOMPARE(performance(), expected());

        QSet<QString> onBoard;
        for (const QSize size : {form->minimumSizeHint(), QSize(1900, 1050)}) {
            form->resize(size);
            QApplication::processEvents();
            auto *board = child<DrawingSurface>(form, "qpicture");
            const double pinsRight = board->toPixels(QPointF(88.75, 0)).x(); // the right wall
            for (const char *name : {"pptitlelabel", "ppktitlelabel", "pplabel", "ppklabel"}) {
                const QRect area = child<QLabel>(form, name)->geometry();
                QVERIFY2(area.left() > pinsRight && board->rect().contains(area), name);
                QVERIFY2(area.width() >= child<QLabel>(form, name)->sizeHint().width(), name);
                for (QWidget *other : board->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
                    if (other->objectName() != QLatin1String(name) && other->isVisible())
                        QVERIFY2(!other->geometry().intersects(area), qPrintable(name + other->objectName()));
            }
        }
        shared().scale.showSpecLimits = false;
        form->showCapability();
        QCOMPARE(performance(), QStringList({"No Spec", "No Spec"}));
        testsupport::click(form, QStringLiteral("resetbutton"));
        QCOMPARE(shown(), QStringLiteral("00000000"));
    }

    void pauseStopsAfterTheCurrentSubgroup()
    {
        QuincunxForm *form = testsupport::startMainWindow();
        QTableWidget *table = child<QTableWidget>(form, "grdScaled");
        WhenReady pause([table] { return table->rowCount() == 3; },
                        [form] { testsupport::click(form, QStringLiteral("cmdPause")); });
        drop(form, 5);
        QCOMPARE(child<QLabel>(form, "subgroupstatuslabel")->text(), QStringLiteral("Sub Group #3"));
        QCOMPARE(ballsOnBoard(form->run()), 15);
        QVERIFY(child<QWidget>(form, "dropbutton")->isEnabled());

        drop(form, 2);
        QCOMPARE(child<QLabel>(form, "subgroupstatuslabel")->text(), QStringLiteral("Sub Group #5"));
        QCOMPARE(table->item(4, 0)->text(), QStringLiteral("5"));
    }

    void controlsAreDisabledWhileRunning()
    {
        QuincunxForm *form = testsupport::startMainWindow();
        QStringList enabledDuringRun;
        WhenReady look([] { return true; }, [&] {
            for (const char *name : {"Panel3D1", "Animationcheck", "HScroll1", "chkTrace", "bafflepresentcheck",
                                     "cmdOutput", "resetbutton", "histbutton", "contchrbutton",
                                     "selfscriptbutton", "settingsframe", "bafflehandle"})
                if (child<QWidget>(form, name)->isEnabled())
                    enabledDuringRun << name;
            for (const char *name : {"cmdPause", "funnelleftbutton", "funnelrightbutton", "cmdHelp",
                                     "aboutbutton", "exitbutton"})
                if (!child<QWidget>(form, name)->isEnabled())
                    enabledDuringRun << QStringLiteral("disabled:") + name;
        });
        drop(form, 2);
        QVERIFY2(enabledDuringRun.isEmpty(), qPrintable(enabledDuringRun.join(u' ')));
        QVERIFY(child<QWidget>(form, "Panel3D1")->isEnabled());
        QVERIFY(child<QWidget>(form, "resetbutton")->isEnabled());
    }

    void oneRowFillsTheBoard()
    {
        QuincunxForm *form = testsupport::startMainWindow();
        setText(form, "rowstext", QStringLiteral("1"));
        const auto messages = drop(form, 99);
        QCOMPARE(messages.size(), 1);
        QCOMPARE(messages[0].text, DropCycle::boardFullMessage);
        QCOMPARE(messages[0].title, QStringLiteral("Kelvara"));
        QCOMPARE(messages[0].icon, QMessageBox::Information);
        const RunState &run = form->run();
        QCOMPARE(ballsOnBoard(run), run.slotCount[15] + run.slotCount[16]);
        QVERIFY(std::max(run.slotCount[15], run.slotCount[16]) > run.slotCapacity);
        QVERIFY(shared().subgroupCount < 99);
        QVERIFY(child<QWidget>(form, "dropbutton")->isEnabled());
    }

    void fullBaffleAsksToBeEmptied()
    {
        QuincunxForm *form = testsupport::startMainWindow();
        setText(form, "rowstext", QStringLiteral("1"));
        child<QCheckBox>(form, "bafflepresentcheck")->setChecked(true);
        const auto messages = drop(form, 20);
        QCOMPARE(messages.size(), 1);
        QCOMPARE(messages[0].text, DropCycle::baffleFullMessage);
        const RunState &run = form->run();
        QCOMPARE(int(run.slotCount[15] + run.slotCount[16]), 0);
        QVERIFY(std::max(run.baffleCount[15], run.baffleCount[16]) >= run.baffleCapacity);

        const int held = run.baffleBallCount;
        testsupport::click(form, QStringLiteral("bafflehandle"));
        QCOMPARE(int(run.slotCount[15] + run.slotCount[16]), held);
        QCOMPARE(int(run.baffleBallCount), 0);
        QVERIFY(drop(form, 1).isEmpty());
    }

    void emptiedBaffleLeavesThePilesAsWithoutIt()
    {
        QuincunxForm *plain = testsupport::startMainWindow(99);
        drop(plain, 3);
        const auto withoutBaffle = plain->run().slotCount;

        QuincunxForm *form = testsupport::startMainWindow(99);
        child<QCheckBox>(form, "bafflepresentcheck")->setChecked(true);
        drop(form, 3);
        QCOMPARE(ballsOnBoard(form->run()), 15);
        child<QCheckBox>(form, "bafflepresentcheck")->setChecked(false);
        QCOMPARE(form->run().slotCount, withoutBaffle);
        QVERIFY(!form->board().baffle().line()->isVisible());
    }

    void funnelTravelsWithinTheRowsReach_data()
    {
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("leftmost");
        QTest::addColumn<int>("rightmost");
        QTest::newRow("20 rows") << 20 << 11 << 21;
        QTest::newRow("19 rows") << 19 << 11 << 22;
        QTest::newRow("1 row") << 1 << 2 << 31;
    }
    void funnelTravelsWithinTheRowsReach()
    {
        QFETCH(int, rows);
        QFETCH(int, leftmost);
        QFETCH(int, rightmost);
        QuincunxForm *form = testsupport::startMainWindow();
        setText(form, "rowstext", QString::number(rows));
        auto *label = child<QLabel>(form, "processcenteredatlabel");
        for (int i = 0; i < 40; ++i)
            testsupport::click(form, QStringLiteral("funnelleftbutton"));
        QCOMPARE(form->run().funnelPosition, float(leftmost));
        QCOMPARE(label->text(), QStringLiteral("%1.00").arg(leftmost, 2, 10, QLatin1Char('0')));
        QCOMPARE(form->board().funnel().image()->left(), 47.5 + 2.5 * (leftmost - 16));
        for (int i = 0; i < 40; ++i)
            testsupport::click(form, QStringLiteral("funnelrightbutton"));
        QCOMPARE(form->run().funnelPosition, float(rightmost));
        // Balls from the outermost positions still land on the board.
        QVERIFY(drop(form, 4).isEmpty());
        QCOMPARE(ballsOnBoard(form->run()), 20);
    }

    void centreLabelFollowsTheScale()
    {
        QuincunxForm *form = testsupport::startMainWindow();
        form->scaleQuincunx(15, 50, 1, 31);
        auto *label = child<QLabel>(form, "processcenteredatlabel");
        QCOMPARE(label->text(), QStringLiteral("50.00"));
        testsupport::click(form, QStringLiteral("funnelrightbutton"));
        QCOMPARE(label->text(), QStringLiteral("51.00"));
    }

    void funnelClickAtItsLimitStillClearsTheTrace()
    {
        QuincunxForm *form = testsupport::startMainWindow();
        child<QCheckBox>(form, "Animationcheck")->setChecked(true);
        child<QCheckBox>(form, "chkTrace")->setChecked(true);
        for (int i = 0; i < 5; ++i)
            testsupport::click(form, QStringLiteral("funnelleftbutton"));
        drop(form, 1);
        QVERIFY(form->findChildren<OverlayLine *>(QStringLiteral("traceLine")).size() > 1);
        testsupport::click(form, QStringLiteral("funnelleftbutton"));
        QCOMPARE(form->run().funnelPosition, 11.0f);
        QCOMPARE(form->findChildren<OverlayLine *>(QStringLiteral("traceLine")).size(), 1);
    }

    void closingTheWindowDuringARunEndsIt_data()
    {
        QTest::addColumn<bool>("animated");
        QTest::newRow("instant") << false;
        QTest::newRow("animated") << true;
    }
    void closingTheWindowDuringARunEndsIt()
    {
        QFETCH(bool, animated);
        QuincunxForm *form = testsupport::startMainWindow();
        child<QCheckBox>(form, "Animationcheck")->setChecked(animated);
        QTableWidget *table = child<QTableWidget>(form, "grdScaled");
        WhenReady closer([table] { return table->rowCount() == 2; }, [form] { form->close(); });
        drop(form, 50);
        QVERIFY(form->isClosing());
        QVERIFY(!form->isVisible());
        QVERIFY(!form->run().isRunning);
        QVERIFY(shared().subgroupCount <= 2);
        QVERIFY(!testsupport::topLevel(QStringLiteral("frmCtrlChrt"))->isVisible());
    }
};

QTEST_MAIN(TestSimulation)
#include "tst_simulation.moc"
