// SPDX-License-Identifier: GPL-3.0-or-later
// The funnel rules without a window: where each rule sends the funnel, the
// experiment's target, and the four rules compared on the same balls.

#include "core/funnelcomparison.h"

#include <QTest>

using namespace kelvara;

Q_DECLARE_METATYPE(kelvara::FunnelMoveRule)

namespace {

const QLocale english(QLocale::English, QLocale::UnitedStates);
const QLocale german(QLocale::German, QLocale::Germany);

// A comparison of `balls` balls with 4 rows from slot 16, seeded.
struct Compared {
    TwisterSource random;
    FunnelComparison comparison;
    Compared(int balls, int16 rows = 4, int16 target = 16, std::uint32_t seed = 1)
        : random(seed), comparison(rows, target, balls, random)
    {
        comparison.run([] { return true; });
    }
};

} // namespace

class TestFunnelRule : public QObject {
    Q_OBJECT
private slots:
    void nextPosition_data()
    {
        QTest::addColumn<FunnelMoveRule>("rule");
        QTest::addColumn<int>("funnel");
        QTest::addColumn<int>("landing");
        QTest::addColumn<int>("expected");
        QTest::addColumn<bool>("clamped");
        // Target 16; with 4 rows (5 pin levels) the funnel travels 3..29.
        QTest::newRow("rule 1 stays") << FunnelMoveRule::LeaveAlone << 18 << 20 << 18 << false;
        QTest::newRow("rule 2 from where it is") << FunnelMoveRule::MoveBack << 18 << 20 << 14 << false;
        QTest::newRow("rule 3 from the target") << FunnelMoveRule::AimOpposite << 18 << 20 << 12 << false;
        QTest::newRow("rule 4 over the ball") << FunnelMoveRule::OverLastBall << 18 << 20 << 20 << false;
        QTest::newRow("rule 2 stopped at the left") << FunnelMoveRule::MoveBack << 5 << 20 << 3 << true;
        QTest::newRow("rule 3 stopped at the right") << FunnelMoveRule::AimOpposite << 16 << 2 << 29 << true;
        QTest::newRow("rule 4 at the edge itself") << FunnelMoveRule::OverLastBall << 29 << 29 << 29 << false;
    }
    void nextPosition()
    {
        QFETCH(FunnelMoveRule, rule);
        QFETCH(int, funnel);
        QFETCH(int, landing);
        QFETCH(int, expected);
        QFETCH(bool, clamped);
        const FunnelMove move = nextFunnelPosition(rule, int16(funnel), 16, int16(landing), FunnelTravel{3, 29});
        QCOMPARE(move.position, expected);
        QCOMPARE(move.clamped, clamped);
    }

    // Leaving rule 1 takes the target; a change among rules 2-4 keeps it and
    // starts the new rule's count; rule 1 ends it all.
    void experimentKeepsItsTarget()
    {
        QVERIFY(funnelRulesAllowed(5) && !funnelRulesAllowed(6));
        FunnelExperiment experiment;
        QVERIFY(!experiment.running());
        experiment.choose(FunnelMoveRule::MoveBack, 18);
        QCOMPARE(experiment.target(), 18);
        QCOMPARE(experiment.nextPosition(4, 20, FunnelTravel{3, 29}), 3); // wants 2
        QCOMPARE(experiment.clampedCount(), 1);
        experiment.choose(FunnelMoveRule::OverLastBall, 12);
        QCOMPARE(experiment.target(), 18);
        QCOMPARE(experiment.clampedCount(), 0);
        experiment.choose(FunnelMoveRule::LeaveAlone, 12);
        QVERIFY(!experiment.running());
        experiment.choose(FunnelMoveRule::AimOpposite, 12);
        QCOMPARE(experiment.target(), 12);
    }

    void texts_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<int>("clamped");
        QTest::addColumn<QString>("result");
        QTest::addColumn<QString>("status");
        QTest::newRow("none") << english << 0
            << "Rule 2: mean 16.02, standard deviation 1.41, variance 2.00 times rule 1, 0 moves stopped at the edge"
            << "Funnel rule 2: 0 moves stopped at the edge";
        QTest::newRow("one, comma") << german << 1
            << "Rule 2: mean 16,02, standard deviation 1,41, variance 2,00 times rule 1, 1 move stopped at the edge"
            << "Funnel rule 2: 1 move stopped at the edge";
    }
    void texts()
    {
        QFETCH(QLocale, locale);
        QFETCH(int, clamped);
        const RuleStatistics ruleTwo{16.02, 1.414, 2.0, clamped};
        const RuleStatistics ruleOne{16.0, 1.0, 1.0, 0};
        QTEST(ruleResultText(FunnelMoveRule::MoveBack, ruleTwo, ruleOne, locale), "result");
        QTEST(funnelRuleStatus(FunnelMoveRule::MoveBack, clamped), "status");
        QCOMPARE(ruleResultText(FunnelMoveRule::LeaveAlone, ruleOne, ruleOne, locale).section(QStringLiteral(", "), 2, 2),
                 locale == german ? "variance 1,00 times rule 1" : "variance 1.00 times rule 1");
    }

    void statisticsOfLandings()
    {
        const RuleStatistics s = landingStatistics({14, 16, 16, 18}, 2);
        QCOMPARE(s.mean, 16.0);
        QCOMPARE(s.variance, 8.0 / 3.0);
        QCOMPARE(s.standardDeviation, std::sqrt(8.0 / 3.0));
        QCOMPARE(s.clampedCount, 2);
    }

    // Every rule walks the same decisions: a ball lands as far from its
    // funnel as the same ball under rule 1 lands from the target, and the
    // funnel before each ball is where the rule put it after the last.
    void rulesReplayTheSameBalls_data()
    {
        QTest::addColumn<FunnelMoveRule>("rule");
        QTest::newRow("rule 2") << FunnelMoveRule::MoveBack;
        QTest::newRow("rule 3") << FunnelMoveRule::AimOpposite;
        QTest::newRow("rule 4") << FunnelMoveRule::OverLastBall;
    }
    void rulesReplayTheSameBalls()
    {
        QFETCH(FunnelMoveRule, rule);
        const Compared c(3000, 4, 12);
        const std::vector<int16> &alone = c.comparison.landings(FunnelMoveRule::LeaveAlone);
        const std::vector<int16> &landings = c.comparison.landings(rule);
        QCOMPARE(landings.size(), std::size_t(3000));
        QCOMPARE(c.comparison.decisionsDrawn(), std::size_t(3000 * 4));
        int16 funnel = 12;
        int clamped = 0;
        for (std::size_t k = 0; k < landings.size(); ++k) {
            QCOMPARE(landings[k] - funnel, alone[k] - 12);
            const FunnelMove move = nextFunnelPosition(rule, funnel, 12, landings[k], FunnelTravel{3, 29});
            funnel = move.position;
            // The move after the last ball would be for a ball not dropped.
            clamped += move.clamped && k + 1 < landings.size();
        }
        QCOMPARE(c.comparison.statistics(rule).clampedCount, clamped);
        QCOMPARE(c.comparison.statistics(FunnelMoveRule::LeaveAlone).clampedCount, 0);
    }

    // Rule 1 lands every ball where a Run of the same decisions does, in
    // subgroups of any size.
    void ruleOneIsARunOfTheSameBalls()
    {
        const Compared c(1003);
        SharedState shared = SharedState::initial();
        TwisterSource random(1);
        QuincunxRun run(shared, random);
        run.setSettings(RunSettings{.rows = 4, .subgroupSize = 2, .dropCount = 502, .unlimitedRoom = true});
        run.reset();
        run.run();
        std::vector<int16> landed;
        for (int row = 1; row <= run.record().rowCount(); ++row)
            for (const float position : run.record().row(row).positions)
                landed.push_back(landingSlot(position));
        landed.resize(1003);
        QVERIFY(c.comparison.landings(FunnelMoveRule::LeaveAlone) == landed);
    }

    // Each of 4 rows moves a ball half a slot: variance 1 under rule 1, twice
    // that under rule 2 (standard error about 0.03). Rule 4 is a random walk
    // from the target: each ball lands within two slots of the last, the
    // first within two of T; the edge stops it.
    void ruleTwoDoublesTheVarianceAndRuleFourWalks()
    {
        const Compared c(10000);
        const RuleStatistics one = c.comparison.statistics(FunnelMoveRule::LeaveAlone);
        const double ratio = c.comparison.statistics(FunnelMoveRule::MoveBack).variance / one.variance;
        QVERIFY2(ratio >= 1.90 && ratio <= 2.10, qPrintable(QString::number(ratio)));
        QVERIFY(std::abs(one.variance - 1.0) < 0.1);
        int16 from = 16;
        for (int16 slot : c.comparison.landings(FunnelMoveRule::OverLastBall)) {
            QVERIFY(std::abs(slot - from) <= 2);
            from = std::clamp<int16>(slot, 3, 29);
        }
        QVERIFY(c.comparison.statistics(FunnelMoveRule::OverLastBall).clampedCount > 0);
        QVERIFY(c.comparison.statistics(FunnelMoveRule::OverLastBall).variance > 10.0);
    }

    // Stopped between slices, the comparison says it is not complete.
    void stopsWhenAsked()
    {
        TwisterSource random(3);
        FunnelComparison comparison(4, 16, 10000, random);
        int asked = 0;
        QVERIFY(!comparison.run([&] { return ++asked < 2; }));
        QCOMPARE(asked, 2);
    }
};

QTEST_GUILESS_MAIN(TestFunnelRule)
#include "tst_funnelrule.moc"
