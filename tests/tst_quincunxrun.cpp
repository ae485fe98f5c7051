// SPDX-License-Identifier: GPL-3.0-or-later
// A seeded run without a window, end to end: its tables, its stops, its
// limits, signals and capability, the funnel, Reset, and the animated ball.

#include "core/quincunxrun.h"

#include <QFile>
#include <QTest>

using namespace kelvara;

namespace {

struct Headless {
    SharedState shared = SharedState::initial();
    TwisterSource random;
    QuincunxRun run{shared, random};

    explicit Headless(std::uint32_t seed = 20261207, int subgroupSize = 5) : random(seed)
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        run.setSettings(RunSettings{.subgroupSize = subgroupSize});
        run.reset();
    }
    void drop(int subgroups)
    {
        RunSettings settings = run.settings();
        settings.dropCount = subgroups;
        run.setSettings(settings);
        run.run();
    }
};

// Counts what a listener is told.
class Tally : public RunListener {
public:
    int limits = 0, capabilities = 0, steps = 0, landings = 0, resets = 0;
    QStringList messages;
    void stopped(RunStop, const QString &message) override { messages << message; }
    void runReset() override { ++resets; }
    void limitTextsChanged(const LimitTexts &) override { ++limits; }
    void capabilityChanged(const CapabilityView &) override { ++capabilities; }
    bool ballStepped(const PathStepper &) override { return ++steps > 0; }
    void ballLanded(const BallLanding &, bool) override { ++landings; }
};

// The tables of one section of a reference file, "|"-separated, header row first.
QList<QStringList> referenceSection(const QString &fileName, const QString &section)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    QList<QStringList> rows;
    bool inSection = false;
    for (const QString &line : QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts)) {
        if (line.startsWith(u'['))
            inSection = line == QLatin1Char('[') + section + QLatin1Char(']');
        else if (inSection)
            rows.append(line.split(u'|'));
    }
    return rows;
}

} // namespace

class TestQuincunxRun : public QObject {
    Q_OBJECT
private slots:
    // The reference was taken from the main window before the run moved into
    // the core: 8 subgroups on 100 +- 10, the funnel two slots right, 8 more,
    // the centre moved to 101.5 (the funnel back home), 8 more.
    void recordEqualsTheProgramsTables_data()
    {
        QTest::addColumn<int>("n");
        QTest::newRow("subgroups of 5") << 5;
        QTest::newRow("single readings, moving ranges") << 1;
    }
    void recordEqualsTheProgramsTables()
    {
        QFETCH(int, n);
        Headless h(20261207, n);
        h.shared.scale.halfWidth = 10.0f;
        h.shared.scale.center = 100.0f;
        h.drop(8);
        h.run.moveFunnel(+1);
        h.run.moveFunnel(+1);
        h.drop(8);
        h.shared.scale.center = 101.5f; // the board drawn again for it puts the funnel home
        h.run.placeFunnel(16.0f);
        h.drop(8);

        const QString file = QFINDTESTDATA(QStringLiteral("data/seededrun_n%1.txt").arg(n));
        const QList<QStringList> slotTable = referenceSection(file, QStringLiteral("dataGrid"));
        const QList<QStringList> measurements = referenceSection(file, QStringLiteral("grdScaled"));
        QCOMPARE(slotTable.size(), 25);
        QCOMPARE(measurements.size(), 25);
        QCOMPARE(h.run.record().rowCount(), 24);
        for (int row = 1; row <= 24; ++row) {
            for (int column = 0; column < SubgroupRecord::columnCount(n); ++column) {
                QCOMPARE(h.run.record().slotText(row, column), slotTable[row].value(column));
                QCOMPARE(h.run.record().measurementText(row, column, h.shared.formats),
                         measurements[row].value(column));
            }
        }
    }

    void stopsWhenTheBoardOrBaffleIsFull_data()
    {
        QTest::addColumn<bool>("baffle");
        QTest::addColumn<bool>("unlimitedRoom");
        QTest::addColumn<RunStop>("stop");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("a pile reaches the baffle") << false << false << RunStop::BoardFull
            << QStringList{" The Quincunx Board is Full. \n Please click 'Reset' button and Restart."};
        QTest::newRow("the baffle holds six a slot") << true << false << RunStop::BaffleFull
            << QStringList{" The Baffle is Full. \n Please Empty and Continue."};
        QTest::newRow("out of sight no slot fills up") << false << true << RunStop::None << QStringList();
    }
    void stopsWhenTheBoardOrBaffleIsFull()
    {
        QFETCH(bool, baffle);
        QFETCH(bool, unlimitedRoom);
        Headless h;
        h.run.setSettings(RunSettings{.baffle = baffle, .unlimitedRoom = unlimitedRoom});
        Tally tally;
        h.run.setListener(&tally);
        for (int press = 0; press < 10 && h.run.stop() == RunStop::None; ++press)
            h.drop(99);
        QTEST(h.run.stop(), "stop");
        QTEST(tally.messages, "messages");
        const RunState &state = h.run.state();
        int tallest = 0, highestBaffle = 0;
        for (int slot = 1; slot <= slotTotal; ++slot) {
            tallest = std::max<int>(tallest, state.slotCount[slot] + state.baffleCount[slot]);
            highestBaffle = std::max<int>(highestBaffle, state.baffleCount[slot]);
        }
        if (unlimitedRoom) {
            QCOMPARE(h.run.record().rowCount(), 990);
            QVERIFY(tallest > state.slotCapacity);
        } else {
            // Checked before each subgroup: its five balls may all land in one slot.
            QVERIFY(tallest <= state.slotCapacity + 5);
            QVERIFY(highestBaffle < state.baffleCapacity + 5);
        }
    }

    // The first subgroup with the funnel elsewhere is where the process changed;
    // the funnel stays where its buttons can take it.
    void movingTheFunnelChangesTheProcess()
    {
        Headless h;
        h.drop(2);
        QVERIFY(h.run.moveFunnel(+1));
        QVERIFY(h.run.state().processUnchanged);
        h.drop(1);
        QVERIFY(!h.run.state().processUnchanged);
        QCOMPARE(int(h.run.state().processChangedAfter), 2);
        h.run.placeFunnel(40.0f);
        QCOMPARE(h.run.state().funnelPosition, h.run.highestFunnel());
        QVERIFY(!h.run.moveFunnel(+1));
        QCOMPARE(h.run.highestFunnel(), 21.0f); // 21 pin levels: ten slots either side
        QCOMPARE(h.run.lowestFunnel(), 11.0f);
    }

    // A funnel rule is asked after every ball, and where it puts the funnel
    // the next ball starts.
    void aFunnelRuleMovesTheFunnelBetweenBalls()
    {
        struct FollowTheBall : FunnelRule {
            QList<float> placed;
            void afterLanding(QuincunxRun &run) override
            {
                run.placeFunnel(std::round(run.state().ballPosition));
                placed.append(run.state().funnelPosition);
            }
        } rule;
        Headless h;
        h.run.setFunnelRule(&rule);
        h.drop(2);
        QCOMPARE(rule.placed.size(), 10);
        const std::vector<BallOrigin> &origins = h.run.state().ballOrigins;
        QCOMPARE(origins.front().start, 16.0f);
        for (std::size_t ball = 1; ball < origins.size(); ++ball)
            QCOMPARE(origins[ball].start, rule.placed[qsizetype(ball) - 1]);
        // The funnel where the first subgroup left it decides whether the second counts as changed.
        QCOMPARE(h.run.state().processUnchanged, rule.placed[4] == 16.0f);
    }

    // The limits are fixed once, at the k-th subgroup (their numbers are
    // checked in tst_dropcycle); from then on the run judges every subgroup
    // and works out the capability, telling the listener only of a change.
    void limitsSignalsAndCapabilityHeadless()
    {
        Headless h;
        Tally tally;
        h.run.setListener(&tally);
        h.drop(19);
        QVERIFY(h.run.limitTexts().x.isEmpty());
        QVERIFY(!h.run.limitsFixed());
        QVERIFY(!h.run.capability().visible);
        h.drop(1);
        QCOMPARE(tally.limits, 1);
        const LimitTexts fixed = h.run.limitTexts();
        const float xBarBar = h.run.state().xBarBar;
        QVERIFY(fixed.x.startsWith(QStringLiteral("Mean X-Bar = ")));
        h.drop(5);
        QVERIFY(h.run.limitsFixed());
        QCOMPARE(h.run.capability().cp, QStringLiteral("No Spec"));
        QCOMPARE(tally.capabilities, 1);
        h.run.placeFunnel(h.run.highestFunnel());
        h.drop(10);
        QCOMPARE(tally.limits, 1);
        QCOMPARE(h.run.limitTexts().x, fixed.x);
        QCOMPARE(h.run.state().xBarBar, xBarBar);
        QCOMPARE(int(h.run.state().processChangedAfter), 25);
        const int seen = h.run.firstSignalAfterChange();
        QVERIFY(seen > 25 && seen <= 35);
        QVERIFY(h.run.runSignals().rulesAt(SignalChart::Mean, seen) != 0);
        QCOMPARE(h.run.capability().cp, QStringLiteral("No Spec"));
        QCOMPARE(tally.capabilities, 1);
        h.run.reset();
        QVERIFY(h.run.runSignals().list().isEmpty());
    }

    // The rest of Reset is checked through the window, in tst_board.
    void resetTellsTheListenerAndForgetsTheBallsOrigins()
    {
        Headless h;
        h.drop(21);
        Tally tally;
        h.run.setListener(&tally);
        h.run.reset();
        QCOMPARE(tally.resets, 1);
        QVERIFY(h.run.state().ballOrigins.empty());
    }

    // The animated ball walks the same steps, with the listener told of each.
    void aSeededBallLandsAlikeAnimatedAndInstant()
    {
        for (std::uint32_t seed : {1u, 7u, 1234u, 20261207u}) {
            Headless instant(seed), animated(seed);
            Tally tally;
            animated.run.setListener(&tally);
            QVERIFY(instant.run.dropBall(false));
            QVERIFY(animated.run.dropBall(true));
            QCOMPARE(animated.run.state().ballPosition, instant.run.state().ballPosition);
            QCOMPARE(animated.run.state().slotCount, instant.run.state().slotCount);
            QCOMPARE(tally.steps, 20);
            QCOMPARE(tally.landings, 1);
        }
    }
};

QTEST_GUILESS_MAIN(TestQuincunxRun)
#include "tst_quincunxrun.moc"
