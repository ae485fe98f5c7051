// SPDX-License-Identifier: GPL-3.0-or-later
// The path of one ball: where it starts, the fair decision at each row, where
// it can end, and where it is drawn when it lands.

#include "pathsources.h"

#include <QTest>

#include <array>
#include <cmath>
#include <vector>

using namespace kelvara;
using pathsources::ScriptedSource;
using pathsources::walkedEnd;

namespace {

double binomial(int n, int k)
{
    return std::exp(std::lgamma(n + 1.0) - std::lgamma(k + 1.0) - std::lgamma(n - k + 1.0) - n * std::log(2.0));
}

} // namespace

class TestBallPath : public QObject {
    Q_OBJECT
private slots:
    void decisionSplitsAtOneHalf_data()
    {
        QTest::addColumn<float>("r");
        QTest::addColumn<int>("decision");
        QTest::newRow("zero goes left") << 0.0f << 0;
        QTest::newRow("just below a half goes left") << std::nextafter(0.5f, 0.0f) << 0;
        QTest::newRow("exactly a half goes right") << 0.5f << 1;
        QTest::newRow("largest draw goes right") << std::nextafter(1.0f, 0.0f) << 1;
    }
    void decisionSplitsAtOneHalf()
    {
        QFETCH(float, r);
        QTEST(int(decisionOf(r)), "decision");
    }

    void pathStaysWithinItsReach_data()
    {
        QTest::addColumn<int>("rows");
        QTest::addColumn<float>("start");
        QTest::addColumn<float>("leftmost");
        QTest::addColumn<float>("rightmost");
        QTest::newRow("20 rows") << 20 << 16.0f << 6.0f << 26.0f;
        QTest::newRow("19 rows start half a slot left") << 19 << 15.5f << 6.0f << 25.0f;
        QTest::newRow("1 row is a single decision") << 1 << 15.5f << 15.0f << 16.0f;
    }
    void pathStaysWithinItsReach()
    {
        QFETCH(int, rows);
        QFETCH(float, leftmost);
        QFETCH(float, rightmost);
        PathStepper left(16.0f, int16(rows + 1));
        QTEST(left.start(), "start");
        ScriptedSource allLeft({0.1f}), allRight({0.9f});
        QVERIFY(left.walk(allLeft));
        QCOMPARE(left.position(), leftmost);
        QCOMPARE(walkedEnd(16.0f, rows, allRight), rightmost);
        QCOMPARE(left.x(), startX(16.0f) - rows * 1.25);

        TwisterSource random(7);
        for (int ball = 0; ball < 2000; ++ball) {
            const float end = walkedEnd(16.0f, rows, random);
            QVERIFY(end >= leftmost && end <= rightmost);
            QCOMPARE(end, std::round(end));
        }
    }

    void faultyGeneratorEndsThePath()
    {
        ScriptedSource broken({0.3f, 1.5f});
        QVERIFY(!PathStepper(16.0f, 21).walk(broken));
    }

    void slotsFollowTheBinomialDistribution()
    {
        // 200,000 balls through 20 rows: the chi-square against the binomial
        // stays far below the bound for a fair generator; a biased or a
        // repeating one lands far above it.
        constexpr int balls = 200000;
        TwisterSource random(20261206);
        std::array<int, 32> counts{};
        for (int ball = 0; ball < balls; ++ball)
            ++counts[static_cast<std::size_t>(landingSlot(walkedEnd(16.0f, 20, random)))];

        double chiSquare = 0;
        for (int k = 2; k <= 18; ++k) { // slots 8..24; the tails hold too few balls to count
            const double expected = balls * binomial(20, k);
            const double observed = counts[static_cast<std::size_t>(6 + k)];
            chiSquare += (observed - expected) * (observed - expected) / expected;
        }
        // 16 degrees of freedom: 50 is beyond the 0.9999 quantile (about 42).
        QVERIFY2(chiSquare < 50, qPrintable(QString::number(chiSquare)));
        QCOMPARE(counts[5] + counts[27], 0);
    }

    void slotsAreNumberedOneToThirtyOne()
    {
        RunState run;
        run.slotCount[1] = 3, run.slotCount[31] = 4;
        QCOMPARE(run.slotCount[1] + run.slotCount[31], 7);
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, run.slotCount[0]);
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, run.baffleCount[32]);
    }

    void pilesGrowOneBallHeightAtATime()
    {
        RunState run;
        run.ballSize = 0.845f;
        run.slotX[16] = 48.75f;
        const double h = run.ballSize;
        const PileBall first = addToPile(run, 16, h), second = addToPile(run, 16, h);
        QCOMPARE(first.x, 48.75);
        QVERIFY(qFuzzyCompare(first.y, 3 + h / 2));
        QVERIFY(qFuzzyCompare(second.y, 3 + 3 * h / 2));
        QVERIFY(qFuzzyCompare(first.radius, h / 2));
        QCOMPARE(int(run.slotCount[16]), 2);
    }

    void baffleBallsStackAboveTheLine()
    {
        RunState run;
        const double h = 0.845, line = 57.925;
        QVERIFY(qFuzzyCompare(addToBaffle(run, 4, h, line), line + h));
        QVERIFY(qFuzzyCompare(addToBaffle(run, 4, h, line), line + 2 * h));
        QVERIFY(qFuzzyCompare(addToBaffle(run, 5, h, line), line + h));
        QCOMPARE(int(run.baffleCount[4]), 2);
        QCOMPARE(int(run.baffleBallCount), 3);
        QCOMPARE(int(run.slotCount[4]), 0);
    }
};

QTEST_APPLESS_MAIN(TestBallPath)
#include "tst_ballpath.moc"
