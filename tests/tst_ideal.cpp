// SPDX-License-Identifier: GPL-3.0-or-later
// The histograms' ideal lines against independent calculations: every path a
// ball can take walked with the program's own path rule, and the sums of
// identical balls as one binomial over all their rows.

#include "pathsources.h"

#include "core/histogramdata.h"
#include "core/idealhistogram.h"
#include "core/numberformat.h"

#include <QTest>

#include <cmath>
#include <map>
#include <numeric>

using namespace kelvara;
using pathsources::PathBits;
using pathsources::walkedEnd;

namespace {

using Chances = std::vector<double>; // index = slot (0 unused) or sum

// Walks all 2^rows paths from the funnel: the share of paths ending at each
// slot. A million walks take a while, so each law is walked once.
Chances walkedChances(float funnel, int rows)
{
    static std::map<std::pair<float, int>, Chances> walked;
    if (const auto known = walked.find({funnel, rows}); known != walked.end())
        return known->second;
    Chances &chances = walked[{funnel, rows}];
    chances.assign(slotTotal + 1, 0.0);
    const std::uint32_t paths = 1u << rows;
    for (std::uint32_t path = 0; path < paths; ++path) {
        PathBits bits(path);
        chances[landingSlot(walkedEnd(funnel, rows, bits))] += 1.0 / paths;
    }
    return chances;
}

BallOrigin originOf(float funnel, int rows)
{
    return {toInt16(rows), PathStepper(funnel, toInt16(rows + 1)).start()};
}

// The bar of an average as the histogram finds it: written as the slot table
// writes it, read back and rounded.
int barFromTable(int sum, int n)
{
    return toInt16(readSingle(plainNumber(float(double(sum) / n))));
}

// n identical balls: their sum is the lowest sum plus a binomial over n x rows.
Chances averageBarsOfIdentical(float funnel, int rows, int n)
{
    const int lowest = n * int(std::lround(PathStepper(funnel, toInt16(rows + 1)).start() - rows / 2.0));
    Chances bars(slotTotal + 1, 0.0), binomial{1.0};
    for (int row = 0; row < n * rows; ++row) { // Pascal's triangle, divided as it grows
        Chances next(binomial.size() + 1, 0.0);
        for (std::size_t j = 0; j < binomial.size(); ++j)
            next[j] += binomial[j] / 2, next[j + 1] += binomial[j] / 2;
        binomial = next;
    }
    for (std::size_t j = 0; j < binomial.size(); ++j)
        bars[barFromTable(lowest + int(j), n)] += binomial[j];
    return bars;
}

void compareBars(const ExpectedCounts &actual, const Chances &expected, double scale)
{
    for (int slot = 1; slot <= slotTotal; ++slot) {
        if (std::abs(actual[slot - 1] - scale * expected[slot]) > 1e-9 * std::max(1.0, scale))
            QFAIL(qPrintable(QStringLiteral("slot %1: %2, expected %3")
                                 .arg(slot).arg(actual[slot - 1], 0, 'g', 17).arg(scale * expected[slot], 0, 'g', 17)));
    }
}

double total(const ExpectedCounts &counts)
{
    return std::accumulate(counts.begin(), counts.end(), 0.0);
}

} // namespace

class TestIdeal : public QObject {
    Q_OBJECT
private slots:
    void individuals_data()
    {
        QTest::addColumn<float>("funnel");
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("balls");
        QTest::addColumn<double>("mean");      // of the slots, in theory
        QTest::addColumn<double>("deviation");
        QTest::newRow("20 rows: slots 6..26 about 16") << 16.0f << 20 << 365 << 16.0 << std::sqrt(5.0);
        QTest::newRow("19 rows: the start half a slot left") << 16.0f << 19 << 100 << 15.5 << std::sqrt(19.0) / 2;
        QTest::newRow("1 row: slot 15 or 16") << 16.0f << 1 << 7 << 15.5 << 0.5;
        QTest::newRow("funnel moved right") << 19.0f << 20 << 50 << 19.0 << std::sqrt(5.0);
    }
    void individuals()
    {
        QFETCH(float, funnel);
        QFETCH(int, rows);
        QFETCH(int, balls);
        const IdealHistogram ideal = idealIndividuals(std::vector<BallOrigin>(balls, originOf(funnel, rows)));
        compareBars(ideal.counts, walkedChances(funnel, rows), balls); // the chances add up to 1
        QTEST(ideal.mean, "mean");
        QTEST(ideal.deviation, "deviation");
    }

    // Balls from before and after a move of the funnel: a mixture of the two
    // laws, weighted by how many balls each had; its spread includes the shift.
    void funnelMovedMidRun()
    {
        std::vector<BallOrigin> balls(30, originOf(16, 20));
        balls.insert(balls.end(), 10, originOf(19, 20));
        const IdealHistogram ideal = idealIndividuals(balls);
        const Chances before = walkedChances(16, 20), after = walkedChances(19, 20);
        Chances mixture(slotTotal + 1);
        for (int slot = 1; slot <= slotTotal; ++slot)
            mixture[slot] = 30 * before[slot] + 10 * after[slot];
        compareBars(ideal.counts, mixture, 1.0);
        QCOMPARE(ideal.mean, (30 * 16.0 + 10 * 19.0) / 40);
        QCOMPARE(ideal.deviation, std::sqrt(5.0 + 0.75 * 0.25 * 9.0)); // within + between

        // Pairs across the move: every pair of slots, each average binned by the table's route.
        const IdealHistogram pairs = idealAverages({originOf(16, 20), originOf(19, 20)}, 2, 1);
        Chances bars(slotTotal + 1, 0.0);
        for (int a = 1; a <= slotTotal; ++a)
            for (int b = 1; b <= slotTotal; ++b)
                bars[barFromTable(a + b, 2)] += before[a] * after[b];
        compareBars(pairs.counts, bars, 1.0);
        QCOMPARE(pairs.mean, 17.5);
    }

    void averages_data()
    {
        QTest::addColumn<int>("n");
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("subgroups");
        QTest::newRow("n = 1 equals the individuals") << 1 << 20 << 40;
        QTest::newRow("n = 2: halves to the even bar") << 2 << 20 << 30;
        QTest::newRow("n = 4: halves to the even bar too") << 4 << 20 << 30;
        QTest::newRow("n = 5") << 5 << 20 << 73;
        QTest::newRow("n = 5, 19 rows") << 5 << 19 << 20;
        QTest::newRow("n = 15") << 15 << 20 << 24;
    }
    void averages()
    {
        QFETCH(int, n);
        QFETCH(int, rows);
        QFETCH(int, subgroups);
        // One ball more than the subgroups hold: an open subgroup is not counted.
        const std::vector<BallOrigin> balls(std::size_t(subgroups * n + 1), originOf(16, rows));
        const IdealHistogram ideal = idealAverages(balls, n, subgroups);
        compareBars(ideal.counts, averageBarsOfIdentical(16, rows, n), subgroups);
        QCOMPARE(ideal.deviation, std::sqrt(rows / 4.0 / n)); // of the exact averages
        if (n == 1)
            compareBars(ideal.counts, walkedChances(16, rows), subgroups);
    }

    void nothingDropped()
    {
        const IdealHistogram none = idealAverages({}, 5, 3);
        QCOMPARE(total(none.counts) + none.mean + none.deviation, 0.0);
        QCOMPARE(total(idealIndividuals({}).counts), 0.0);
    }
};

QTEST_GUILESS_MAIN(TestIdeal)
#include "tst_ideal.moc"
