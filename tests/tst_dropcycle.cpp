// SPDX-License-Identifier: GPL-3.0-or-later
// The order and the exact numbers of a Run, with a scripted board behind it:
// the rows, the limits at the k-th subgroup, capability from k + 1, every end.

#include "core/dropcycle.h"

#include <QTest>

#include <deque>

using namespace kelvara;

Q_DECLARE_METATYPE(kelvara::Scale)

namespace {

const QLocale english(QLocale::English, QLocale::UnitedStates);

class NoRandom : public RandomSource {
public:
    float nextUniform() override { return 0.25f; }
};

// A board that lands the readings it is given, in order, and records what the
// cycle asked of it.
class ScriptedHost : public DropCycleHost {
public:
    ScriptedHost(RunState &run) : m_run(run) {}

    RunSettings runSettings{.dropCount = 5};
    std::deque<float> readings;
    std::function<void(int ball)> onBall;   // runs before each ball lands
    bool closing = false;

    QList<RunStop> stops;
    QStringList limitTexts;
    QList<int> statuses, chartPages;
    QList<bool> enabledCalls;
    int capabilityCalls = 0, balls = 0;

    RunSettings settings() const override { return runSettings; }
    void setControlsEnabled(bool enabled) override { enabledCalls.append(enabled); }
    bool letEventsRun() override { return !closing; }
    void clearTraceLines() override {}
    void setTraceColour(int) override {}
    bool dropBall(bool) override
    {
        ++balls;
        if (onBall)
            onBall(balls);
        if (readings.empty())
            readings.push_back(16.0f);
        m_run.ballPosition = readings.front();
        readings.pop_front();
        ++m_run.slotCount[int(m_run.ballPosition)];
        return true;
    }
    void stopped(RunStop why) override { stops.append(why); }
    void rowBegun(int) override {}
    void ballRecorded(int, int) override {}
    void rowClosed(int) override {}
    void showSubgroupStatus(int subgroup) override { statuses.append(subgroup); }
    void showControlLimits(const LimitTexts &texts) override { limitTexts << texts.x << texts.r; }
    void showCapability() override { ++capabilityCalls; }
    void drawCharts(int first) override { chartPages.append(first); }

private:
    RunState &m_run;
};

struct Fixture {
    RunState run;
    SharedState shared = SharedState::initial();
    SubgroupRecord record;
    ScriptedHost host{run};
    NoRandom random;

    Fixture()
    {
        QLocale::setDefault(english);
        run.processUnchanged = true;
        run.funnelPosition = 16.0f;
        run.pinsBottomY = 63.5f;
        record.clear(5);
    }
    void setSubgroupSize(int n)
    {
        host.runSettings.subgroupSize = n;
        record.clear(n);
    }
    void runCycle() { DropCycle(run, shared, record, host, random).run(); }
    QStringList scaledRow(int row) const
    {
        QStringList cells;
        for (int c = 0; c < SubgroupRecord::columnCount(record.subgroupSize()); ++c)
            cells << record.measurementText(row, c, shared.formats);
        return cells;
    }
};

} // namespace

class TestDropCycle : public QObject {
    Q_OBJECT
private slots:
    // The charts follow, showing the last eleven subgroups.
    void runDropsCountTimesNBalls()
    {
        Fixture f;
        f.host.runSettings.dropCount = 12;
        f.host.runSettings.limitCount = 30;
        f.runCycle();
        QCOMPARE(f.host.balls, 60);
        QCOMPARE(f.host.statuses, QList<int>({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}));
        QCOMPARE(f.host.chartPages, QList<int>({1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 2}));
        QCOMPARE(f.host.enabledCalls, QList<bool>({false, true}));
        QVERIFY(!f.run.isRunning);
        QCOMPARE(int(f.run.subgroupCount), 12);
    }

    // One subgroup's row in both tables. The scaled average is that of the readings as shown:
    // on 50 +- 3 slot 2 reads 47.20 and slot 3 47.40, so 47.30.
    void rowsHoldReadingsAverageAndRange_data()
    {
        QTest::addColumn<int>("n");
        QTest::addColumn<QList<float>>("readings");
        QTest::addColumn<Scale>("scale");
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QStringList>("scaledRow");
        QTest::addColumn<QStringList>("slotAverageAndRange");
        QTest::newRow("three readings") << 3 << QList<float>{1, 2, 2} << Scale() << english
            << QStringList{"1", "01.00", "02.00", "02.00", "01.667", "01.00"} << QStringList{"1.666667", "1"};
        QTest::newRow("averages of the displayed readings") << 2 << QList<float>{2, 3} << Scale{50, 3} << english
            << QStringList{"1", "47.20", "47.40", "47.30", "00.20"} << QStringList{"2.5", "1"};
        QTest::newRow("comma locale") << 2 << QList<float>{15, 16} << Scale() << QLocale(QLocale::German)
            << QStringList{"1", "15,00", "16,00", "15,50", "01,00"} << QStringList{"15,5", "1"};
    }
    void rowsHoldReadingsAverageAndRange()
    {
        QFETCH(int, n);
        QFETCH(QList<float>, readings);
        QFETCH(QLocale, locale);
        Fixture f;
        QLocale::setDefault(locale);
        QFETCH(Scale, scale);
        f.shared.scale = scale;
        f.setSubgroupSize(n);
        f.host.runSettings.dropCount = 1;
        f.host.readings.assign(readings.begin(), readings.end());
        f.runCycle();
        QTEST(f.scaledRow(1), "scaledRow");
        QTEST((QStringList{f.record.slotText(1, n + 1), f.record.slotText(1, n + 2)}), "slotAverageAndRange");
        QLocale::setDefault(english);
    }

    // The limits are fixed once, from the first k subgroups, not the last.
    void singleReadingsFixTheLimitsAtTheKthSubgroup()
    {
        Fixture f;
        f.setSubgroupSize(1);
        f.host.runSettings.limitCount = 5;
        f.host.runSettings.dropCount = 6;
        f.host.readings = {15, 16, 18, 17, 17, 20};
        f.runCycle();
        QCOMPARE(f.host.limitTexts.size(), 2);
        QVERIFY(f.host.limitTexts[0].startsWith(QStringLiteral("X-Bar = 16.60     UCLx = 19.26")));
        QVERIFY(f.host.limitTexts[1].startsWith(QStringLiteral("MR-Bar = 01.00     UCLmr = 03.268")));
        QCOMPARE(f.host.capabilityCalls, 1); // only subgroup 6 exceeds k
    }

    void pauseEndsTheRunAfterTheCurrentSubgroup()
    {
        Fixture f;
        f.host.onBall = [&f](int ball) {
            if (ball == 12) // a ball of subgroup 3
                f.run.pauseRequested = true;
        };
        f.runCycle();
        QCOMPARE(f.host.statuses, QList<int>({1, 2, 3}));
        QCOMPARE(f.host.enabledCalls.last(), true);
        QVERIFY(!f.run.isRunning);

        f.host.onBall = nullptr;
        f.host.runSettings.dropCount = 2;
        f.runCycle(); // the next Run clears the request and goes on with subgroup 4
        QCOMPARE(f.host.statuses, QList<int>({1, 2, 3, 4, 5}));
    }

    // The capacities come from the ball's size: the float baffle line lies
    // 64.99999 ball heights up; less one for headroom, 63. A full board or
    // baffle stops the Run before its first subgroup.
    void fullBoardOrBaffleStopsBeforeTheSubgroup_data()
    {
        QTest::addColumn<int>("dropCount");
        QTest::addColumn<int>("slotBalls");
        QTest::addColumn<int>("baffleBalls");
        QTest::addColumn<QList<RunStop>>("stops");
        QTest::newRow("no subgroup asked") << 0 << 0 << 0 << QList<RunStop>();
        QTest::newRow("pile over capacity") << 5 << 65 << 0 << QList<RunStop>{RunStop::BoardFull};
        QTest::newRow("pile and baffle together over capacity") << 5 << 60 << 5 << QList<RunStop>{RunStop::BoardFull};
        QTest::newRow("baffle full") << 5 << 0 << 6 << QList<RunStop>{RunStop::BaffleFull};
    }
    void fullBoardOrBaffleStopsBeforeTheSubgroup()
    {
        QFETCH(int, slotBalls);
        QFETCH(int, baffleBalls);
        Fixture f;
        QFETCH(int, dropCount);
        f.host.runSettings.dropCount = dropCount;
        f.run.slotCount[9] = int16(slotBalls);
        f.run.baffleCount[9] = int16(baffleBalls);
        f.runCycle();
        QCOMPARE(int(f.run.slotCapacity), 63);
        QCOMPARE(int(f.run.baffleCapacity), 6);
        QTEST(f.host.stops, "stops");
        QCOMPARE(f.host.balls, 0);
        QCOMPARE(f.host.enabledCalls, QList<bool>({false, true}));
        QVERIFY(!f.run.isRunning);
    }

    void secondRunWhileRunningIsIgnored()
    {
        Fixture f;
        f.run.isRunning = true;
        f.runCycle();
        QCOMPARE(f.host.balls, 0);
        QVERIFY(f.host.enabledCalls.isEmpty());
        QVERIFY(f.run.isRunning);
    }

    // A change of rows counts from the next subgroup; the run's start stays.
    void processChangesAreNotedAtTheNextSubgroup()
    {
        Fixture f;
        f.host.runSettings.dropCount = 1;
        f.runCycle();
        f.runCycle();
        QVERIFY(f.run.processUnchanged);
        f.host.runSettings.rows = 19;
        f.runCycle();
        QVERIFY(!f.run.processUnchanged);
        QCOMPARE(int(f.run.startFunnel), 16);
        QCOMPARE(int(f.run.startRows), 20);
    }

    void closingProgramStopsTheRun()
    {
        Fixture f;
        f.host.onBall = [&f](int ball) { f.host.closing = ball >= 3; };
        f.runCycle();
        QCOMPARE(f.host.balls, 3);
        QVERIFY(f.host.statuses.isEmpty());
        QCOMPARE(f.host.enabledCalls.last(), true);
        QVERIFY(!f.run.isRunning);
    }
};

QTEST_APPLESS_MAIN(TestDropCycle)
#include "tst_dropcycle.moc"
