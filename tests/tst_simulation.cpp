// SPDX-License-Identifier: GPL-3.0-or-later
// Runs through the real main window: balls, subgroups, labels, a full board
// or baffle, the funnel's travel, and closing the window mid-Run.

#include "testsupport.h"

#include "core/dropcycle.h"
#include "surface/drawingsurface.h"
#include "surface/overlay.h"
#include "windows/quincunxform.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>

using namespace kelvara;
using testsupport::child;

namespace {

const auto drop = testsupport::runSubgroups;

QString labelText(QWidget *window, const char *label)
{
    return child<QLabel>(window, label)->text();
}

void setText(QuincunxForm *form, const char *box, const QString &text)
{
    child<QLineEdit>(form, box)->setText(text);
}

int ballsOnBoard(const RunState &run)
{
    int balls = 0;
    for (std::size_t slot = 1; slot <= 31; ++slot)
        balls += run.slotCount[slot] + run.baffleCount[slot];
    return balls;
}

// Calls `action` from the event loop the first time `condition` holds, while `timer` lives.
void whenReady(QTimer &timer, const std::function<bool()> &condition, const std::function<void()> &action)
{
    QObject::connect(&timer, &QTimer::timeout, [&timer, condition, action] {
        if (condition()) {
            timer.stop();
            action();
        }
    });
    timer.start(0);
}

int traceLines(QuincunxForm *form)
{
    return int(form->findChildren<OverlayLine *>(QStringLiteral("traceLine")).size());
}

} // namespace

class TestSimulation : public QObject {
    Q_OBJECT
    QuincunxForm *m_form = nullptr;

private slots:
    void init() { m_form = testsupport::startMainWindow(); }

    // The subgroup label changes after every subgroup without laying the
    // window out again, keeps the size of the place it was given, and shows
    // each new count and a change of its enabled state.
    void subgroupCountLeavesTheLayoutAlone()
    {
        struct LayoutRequests : QObject {
            int count = 0;
            bool eventFilter(QObject *, QEvent *event) override { count += event->type() == QEvent::LayoutRequest; return false; }
        } requests;
        setText(m_form, "climitstext", "50"); // no capability labels appear on the board
        drop(m_form, 1);
        qApp->installEventFilter(&requests);
        QVERIFY(drop(m_form, 2).isEmpty());
        const int forTwo = std::exchange(requests.count, 0);
        QVERIFY(drop(m_form, 20).isEmpty());
        QCOMPARE(requests.count, forTwo);
        auto *label = child<QLabel>(m_form, "subgroupstatuslabel");
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

    // An animated Run with the trace on (instant Runs fill most other window tests' tables): the
    // balls land, no moving shape is left behind, and the last ball's path stays drawn until the
    // funnel is clicked, even at its limit, or the trace is switched off.
    void animatedRunWithTrace()
    {
        child<QCheckBox>(m_form, "Animationcheck")->setChecked(true);
        child<QCheckBox>(m_form, "chkTrace")->setChecked(true);
        for (int i = 0; i < 5; ++i)
            testsupport::click(m_form, QStringLiteral("funnelleftbutton"));
        QVERIFY(drop(m_form, 5).isEmpty());
        QCOMPARE(ballsOnBoard(m_form->quincunxRun().state()), 25);
        QCOMPARE(labelText(m_form, "subgroupstatuslabel"), QStringLiteral("Sub Group #5"));
        QTableWidget *table = child<QTableWidget>(m_form, "grdScaled");
        QCOMPARE(table->rowCount(), 5);
        QCOMPARE(table->item(4, 0)->text(), QStringLiteral("5"));
        QCOMPARE(m_form->findChildren<OverlayShape *>(QStringLiteral("qball")).size(), 1);
        QVERIFY(child<QWidget>(m_form, "settingsframe")->isEnabled());
        // One segment per row and the last one down to the slots, plus the template.
        QCOMPARE(traceLines(m_form), 1 + 21);
        testsupport::click(m_form, QStringLiteral("funnelleftbutton"));
        QCOMPARE(m_form->quincunxRun().state().funnelPosition, 11.0f);
        QCOMPARE(traceLines(m_form), 1);
        drop(m_form, 1);
        QCOMPARE(traceLines(m_form), 1 + 21);
        child<QCheckBox>(m_form, "chkTrace")->setChecked(false);
        QCOMPARE(traceLines(m_form), 1);
    }

    // The limits' texts come with the k-th subgroup and stay. Pp and Ppk show and hide with
    // Cp and Cpk, from every reading shown in the table (after a funnel move and with the spec
    // limits off: tst_statistics's performance).
    // They sit in the board's right margin, clear of the pins and of every other label and
    // button, at the window's smallest size and a large one.
    void limitsThenCapabilityAndPerformance()
    {
        setText(m_form, "climitstext", QStringLiteral("5"));
        testsupport::showSpecLimits(true);
        drop(m_form, 4);
        const QStringList names{"cptitlelabel", "cpktitlelabel", "cplabel", "cpklabel",
                                "pptitlelabel", "ppktitlelabel", "pplabel", "ppklabel"};
        auto shown = [&] {
            QString visible;
            for (const QString &name : names)
                visible += child<QLabel>(m_form, name)->isVisible() ? u'1' : u'0';
            return visible;
        };
        QWidget *charts = testsupport::topLevel(QStringLiteral("frmCtrlChrt"));
        QVERIFY(labelText(charts, "xvaluestitle").isEmpty());
        QCOMPARE(shown(), QStringLiteral("00000000"));
        drop(m_form, 1);
        const QString limits = labelText(charts, "xvaluestitle");
        QVERIFY(limits.startsWith(QStringLiteral("Mean X-Bar = ")));
        QVERIFY(labelText(charts, "rvaluestitle").startsWith(QStringLiteral("R-Bar = ")));
        drop(m_form, 1);
        QCOMPARE(labelText(charts, "xvaluestitle"), limits);
        QCOMPARE(shown(), QStringLiteral("11111111"));
        QCOMPARE(labelText(m_form, "pptitlelabel") + labelText(m_form, "ppktitlelabel"), "PpPpk");
        QTableWidget *table = child<QTableWidget>(m_form, "grdScaled"); // Pp, Ppk from its readings, spec limits 1 and 31
        QList<double> readings;
        for (int row = 0; row < table->rowCount(); ++row)
            for (int column = 1; column <= 5; ++column)
                readings << table->item(row, column)->text().toDouble();
        const double mean = std::accumulate(readings.begin(), readings.end(), 0.0) / readings.size();
        double squares = 0;
        for (const double reading : readings)
            squares += (reading - mean) * (reading - mean);
        const double s = std::sqrt(squares / (readings.size() - 1));
        QCOMPARE(labelText(m_form, "pplabel"), QString::number(30 / (6 * s), 'f', 2));
        QCOMPARE(labelText(m_form, "ppklabel"), QString::number(std::min(31 - mean, mean - 1) / (3 * s), 'f', 2));

        for (const QSize size : {m_form->minimumSizeHint(), QSize(1900, 1050)}) {
            m_form->resize(size);
            QApplication::processEvents();
            auto *board = child<DrawingSurface>(m_form, "qpicture");
            const double pinsRight = board->toPixels(QPointF(88.75, 0)).x(); // the right wall
            for (const char *name : {"pptitlelabel", "ppktitlelabel", "pplabel", "ppklabel"}) {
                const QRect area = child<QLabel>(m_form, name)->geometry();
                QVERIFY2(area.left() > pinsRight && board->rect().contains(area), name);
                QVERIFY2(area.width() >= child<QLabel>(m_form, name)->sizeHint().width(), name);
                for (QWidget *other : board->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
                    if (other->objectName() != QLatin1String(name) && other->isVisible())
                        QVERIFY2(!other->geometry().intersects(area), qPrintable(name + other->objectName()));
            }
        }
        testsupport::showSpecLimits(false);
        testsupport::click(m_form, QStringLiteral("resetbutton"));
        QCOMPARE(shown(), QStringLiteral("00000000"));
    }

    void controlsAreDisabledWhileRunning()
    {
        QStringList enabledDuringRun;
        QTimer look;
        whenReady(look, [] { return true; }, [&] {
            for (const char *name : {"Panel3D1", "Animationcheck", "HScroll1", "chkTrace", "bafflepresentcheck",
                                     "cmdOutput", "resetbutton", "histbutton", "contchrbutton",
                                     "selfscriptbutton", "settingsframe", "bafflehandle"})
                if (child<QWidget>(m_form, name)->isEnabled())
                    enabledDuringRun << name;
            for (const char *name : {"cmdPause", "funnelleftbutton", "funnelrightbutton", "cmdHelp",
                                     "aboutbutton", "exitbutton"})
                if (!child<QWidget>(m_form, name)->isEnabled())
                    enabledDuringRun << QStringLiteral("disabled:") + name;
        });
        drop(m_form, 2);
        QVERIFY2(enabledDuringRun.isEmpty(), qPrintable(enabledDuringRun.join(u' ')));
        QVERIFY(child<QWidget>(m_form, "Panel3D1")->isEnabled());
        QVERIFY(child<QWidget>(m_form, "resetbutton")->isEnabled());
    }

    // Where the board is full the cycle's test says; here the baffle fills on a real board.
    void fullBaffleAsksToBeEmptied()
    {
        setText(m_form, "rowstext", QStringLiteral("1"));
        child<QCheckBox>(m_form, "bafflepresentcheck")->setChecked(true);
        const auto messages = drop(m_form, 20);
        QCOMPARE(messages.size(), 1);
        QCOMPARE(messages[0].text, DropCycle::baffleFullMessage);
        QCOMPARE(messages[0].icon, QMessageBox::Information);
        const RunState &run = m_form->quincunxRun().state();
        QCOMPARE((QList<int>{run.slotCapacity, run.baffleCapacity}), (QList<int>{63, 6})); // from the real board
        QCOMPARE(int(run.slotCount[15] + run.slotCount[16]), 0);
        QVERIFY(std::max(run.baffleCount[15], run.baffleCount[16]) >= run.baffleCapacity);

        // A click on Run during the baffle's real wait acts once its balls have fallen.
        const int held = run.baffleBallCount;
        const int subgroups = run.subgroupCount;
        testsupport::typeDropCount(m_form, 1);
        int onBaffleAtClick = -1, onBaffleAtRun = -1;
        QTimer duringWait, atRun;
        whenReady(duringWait, [] { return true; }, [&] {
            onBaffleAtClick = run.baffleBallCount;
            QTest::mouseClick(child<QWidget>(m_form, "dropbutton"), Qt::LeftButton);
            whenReady(atRun, [&run] { return run.isRunning; }, [&] { onBaffleAtRun = run.baffleBallCount; });
        });
        testing::setTimeScale(1);
        testsupport::click(m_form, QStringLiteral("bafflehandle"));
        QCOMPARE(onBaffleAtClick, held);
        QCOMPARE(int(run.slotCount[15] + run.slotCount[16]), held);
        QCOMPARE(int(run.baffleBallCount), 0);
        QCOMPARE(int(run.subgroupCount), subgroups);
        QTRY_COMPARE(int(run.subgroupCount), subgroups + 1);
        QCOMPARE(onBaffleAtRun, 0);
    }

    void emptiedBaffleLeavesThePilesAsWithoutIt()
    {
        QuincunxForm *plain = testsupport::startMainWindow(99);
        drop(plain, 3);
        const auto withoutBaffle = plain->quincunxRun().state().slotCount;

        m_form = testsupport::startMainWindow(99);
        child<QCheckBox>(m_form, "bafflepresentcheck")->setChecked(true);
        drop(m_form, 3);
        QCOMPARE(ballsOnBoard(m_form->quincunxRun().state()), 15);
        child<QCheckBox>(m_form, "bafflepresentcheck")->setChecked(false);
        QCOMPARE(m_form->quincunxRun().state().slotCount, withoutBaffle);
        QVERIFY(!m_form->board().baffle().line()->isVisible());
    }

    // The centre label follows the funnel through the scale: centre 50 puts slot 16 at 50.00.
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
        testsupport::scaleBoard(15, 50, 1, 31);
        setText(m_form, "rowstext", QString::number(rows));
        auto *label = child<QLabel>(m_form, "processcenteredatlabel");
        for (int i = 0; i < 40; ++i)
            testsupport::click(m_form, QStringLiteral("funnelleftbutton"));
        QCOMPARE(m_form->quincunxRun().state().funnelPosition, float(leftmost));
        QCOMPARE(label->text(), QStringLiteral("%1.00").arg(leftmost + 34));
        QCOMPARE(m_form->board().funnel().image()->left(), 47.5 + 2.5 * (leftmost - 16));
        for (int i = 0; i < 40; ++i)
            testsupport::click(m_form, QStringLiteral("funnelrightbutton"));
        QCOMPARE(m_form->quincunxRun().state().funnelPosition, float(rightmost));
        // Balls from the outermost positions still land on the board.
        QVERIFY(drop(m_form, 4).isEmpty());
        QCOMPARE(ballsOnBoard(m_form->quincunxRun().state()), 20);
    }

    // An animated Run closed mid-way, in the program's own event loop, is tst_closing's.
    void closingTheWindowDuringARunEndsIt()
    {
        QTableWidget *table = child<QTableWidget>(m_form, "grdScaled");
        QTimer closer;
        whenReady(closer, [table] { return table->rowCount() == 2; }, [this] { m_form->close(); });
        drop(m_form, 50);
        QVERIFY(m_form->isClosing());
        QVERIFY(!m_form->isVisible());
        QVERIFY(!m_form->quincunxRun().state().isRunning);
        QVERIFY(m_form->quincunxRun().state().subgroupCount <= 2);
        QVERIFY(!testsupport::topLevel(QStringLiteral("frmCtrlChrt"))->isVisible());
    }
};

QTEST_MAIN(TestSimulation)
#include "tst_simulation.moc"
