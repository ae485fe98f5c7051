// SPDX-License-Identifier: GPL-3.0-or-later
// The run-length lab's numbers: the exact ARL against hand-worked cases and
// every path of a small subgroup, the runs' statistics and their texts.

#include "pathsources.h"

#include "core/exactarl.h"
#include "core/numberformat.h"
#include "core/runlengthlab.h"
#include "core/runlengthresults.h"

#include <QTest>

#include <cmath>
#include <numeric>

using namespace kelvara;

Q_DECLARE_METATYPE(Scale)
Q_DECLARE_METATYPE(RunLengthResults)

namespace {

// Walks every path of all n balls and judges each subgroup as the program
// does: readings shown, summed one by one in 32-bit storage, averaged, shown.
double enumeratedChance(int rows, int n, int shift, const Scale &scale, const ChartLines &lines)
{
    const DisplayFormats formats;
    const QLocale c = QLocale::c();
    const std::uint32_t paths = 1u << (rows * n);
    int signalling = 0;
    for (std::uint32_t path = 0; path < paths; ++path) {
        pathsources::PathBits bits(path);
        float sum = 0.0f;
        for (int ball = 0; ball < n; ++ball) {
            const float position = pathsources::walkedEnd(16.0f + shift, rows, bits);
            const QString reading = formatNumber(scale.scaleValue(position), formats.reading, c);
            sum = toSingle(double(sum) + double(readSingle(reading, c)));
        }
        const float average = readSingle(formatNumber(toSingle(double(sum) / n), formats.mean, c), c);
        if (average > lines.upper || average < lines.lower)
            ++signalling;
    }
    return double(signalling) / paths;
}

RunLengthResults resultsOf(const QList<int> &delays, int silent, int falseAlarms)
{
    RunLengthResults results;
    for (int delay : delays)
        results.addRun(delay, results.runs() < falseAlarms);
    for (int run = 0; run < silent; ++run)
        results.addRun(std::nullopt, false);
    return results;
}


} // namespace

class TestRunLength : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void averageRunLength_data()
    {
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("n");
        QTest::addColumn<int>("shift");
        QTest::addColumn<double>("arl");
        QTest::addColumn<double>("tolerance");
        // 20 rows, n = 5: limits 16 +- 3, the average 16 + s + (B - 50) / 5.
        QTest::newRow("shift 1: B >= 61 or B <= 29") << 20 << 5 << 1 << 56.7660 << 0.0001;
        QTest::newRow("no shift: B >= 66 or B <= 34") << 20 << 5 << 0 << 558.6809 << 0.0001;
        QTest::newRow("shift 2: B >= 56 or B <= 24") << 20 << 5 << 2 << 7.37318 << 0.00001;
        QTest::newRow("shift -1 mirrors shift 1") << 20 << 5 << -1 << 56.7660 << 0.0001;
        // Single readings from 16 +- 3 sqrt(5): beyond when B >= 15 or B <= 1.
        QTest::newRow("single readings, shift 2") << 20 << 1 << 2 << 1048576.0 / 21721.0 << 1e-9;
    }

    void averageRunLength()
    {
        QFETCH(int, rows);
        QFETCH(int, n);
        QFETCH(int, shift);
        QFETCH(double, arl);
        QFETCH(double, tolerance);
        const ExactArl exact(rows, n, Scale{}, DisplayFormats{});
        QVERIFY(exact.averageRunLength(shift).has_value());
        QVERIFY2(std::abs(*exact.averageRunLength(shift) - arl) < tolerance,
                 qPrintable(QString::number(*exact.averageRunLength(shift), 'g', 10)));
        if (shift == 1)
            QVERIFY(std::abs(exact.signalChance(1) - 0.017616) < 5e-7);
    }

    void limitsFollowTheScale()
    {
        const ExactArl even(20, 5, Scale{50.0f, 3.0f}, DisplayFormats{});
        QCOMPARE(even.limits().centre, 50.0f);
        QCOMPARE(even.limits().upper, toSingle(50.0 + 3 * 0.2));
        QCOMPARE(even.limits().lower, toSingle(50.0 - 3 * 0.2));
        // Odd rows centre the process half a slot lower.
        const ExactArl odd(19, 1, Scale{}, DisplayFormats{});
        QCOMPARE(odd.limits().centre, 15.5f);
        QCOMPARE(odd.limits().upper, toSingle(15.5 + 3 * std::sqrt(19 / 4.0)));
    }

    void noSignalIsPossible()
    {
        // One row: readings 15 or 16 inside 15.5 +- 1.5.
        const ExactArl exact(1, 1, Scale{}, DisplayFormats{});
        QCOMPARE(exact.signalChance(0), 0.0);
        QVERIFY(!exact.averageRunLength(0).has_value());
        QVERIFY(exact.averageRunLength(3).has_value());
    }

    void agreesWithEveryPath_data()
    {
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("n");
        QTest::addColumn<int>("shift");
        QTest::addColumn<Scale>("scale");
        QTest::newRow("4 rows, n 3, no shift") << 4 << 3 << 0 << Scale{};
        QTest::newRow("4 rows, n 3, shift 2") << 4 << 3 << 2 << Scale{};
        QTest::newRow("3 rows, n 4, shift -1") << 3 << 4 << -1 << Scale{};
        QTest::newRow("6 rows, n 2, shift 3") << 6 << 2 << 3 << Scale{};
        QTest::newRow("5 rows, single readings, shift 4") << 5 << 1 << 4 << Scale{};
        // Slots 1/15 apart: the shown readings round, not each the same way.
        QTest::newRow("rounded readings, 4 rows, n 3, shift 1") << 4 << 3 << 1 << Scale{5.0f, 1.0f};
        QTest::newRow("rounded readings, 3 rows, n 4, shift 2") << 3 << 4 << 2 << Scale{5.0f, 1.0f};
        QTest::newRow("a downward scale, 4 rows, n 2, shift 2") << 4 << 2 << 2 << Scale{10.0f, -7.0f};
    }

    void agreesWithEveryPath()
    {
        QFETCH(int, rows);
        QFETCH(int, n);
        QFETCH(int, shift);
        QFETCH(Scale, scale);
        const ExactArl exact(rows, n, scale, DisplayFormats{});
        const double walked = enumeratedChance(rows, n, shift, scale, exact.limits());
        QVERIFY(walked > 0.0);
        QCOMPARE(exact.signalChance(shift), walked);
    }

    void studentQuantile_data()
    {
        QTest::addColumn<int>("freedom");
        QTest::addColumn<double>("quantile");
        QTest::newRow("1") << 1 << 12.7062;
        QTest::newRow("2") << 2 << 4.3027;
        QTest::newRow("9") << 9 << 2.2622;
        QTest::newRow("30") << 30 << 2.0423;
        QTest::newRow("99,999") << 99999 << 1.9600;
    }

    void studentQuantile()
    {
        QFETCH(int, freedom);
        QFETCH(double, quantile);
        QVERIFY2(std::abs(studentT975(freedom) - quantile) < 5e-5, qPrintable(QString::number(studentT975(freedom))));
    }

    void resultText_data()
    {
        QTest::addColumn<RunLengthResults>("results");
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("text");
        // Mean 14, standard error sqrt(2), t(4) = 2.776445.
        const RunLengthResults five = resultsOf({10, 12, 14, 16, 18}, 1, 1);
        QTest::newRow("five delays") << five << "en_US"
            << "Mean delay 14.00 subgroups (95 % interval 10.07 to 17.93), median 14, false alarms before the shift in "
               "16.67 % of runs, 1 run without a signal";
        QTest::newRow("a comma locale") << five << "de_DE"
            << "Mean delay 14,00 subgroups (95 % interval 10,07 to 17,93), median 14, false alarms before the shift in "
               "16,67 % of runs, 1 run without a signal";
        QTest::newRow("one delay") << resultsOf({7}, 0, 0) << "en_US"
            << "Mean delay 7.00 subgroups (no interval from one run), median 7, false alarms before the shift in "
               "0.00 % of runs, 0 runs without a signal";
        QTest::newRow("no signal at all") << resultsOf({}, 1000, 0) << "en_US"
            << "No run signalled after the shift, false alarms before the shift in 0.00 % of runs, "
               "1,000 runs without a signal";
        QTest::newRow("before the first run") << RunLengthResults{} << "en_US" << "";
    }

    void resultText()
    {
        QFETCH(RunLengthResults, results);
        QFETCH(QString, locale);
        QFETCH(QString, text);
        QCOMPARE(kelvara::resultText(results, QLocale(locale)), text);
    }

    void exactText()
    {
        // The lab's window shows the others (tst_runlengthlab).
        QCOMPARE(exactArlText(558.6809, QLocale(QStringLiteral("de_DE"))), QStringLiteral("Exact ARL 558,68"));
    }

    void medianOfAnEvenCount()
    {
        const RunLengthResults results = resultsOf({10, 1, 3, 2}, 0, 0);
        QCOMPARE(results.medianDelay(), 2.5);
        QCOMPARE(results.meanDelay(), 4.0);
    }

    void delayBars()
    {
        // 120 subgroups in at most 40 bars: 1 and 2 are too narrow, 5 fits.
        const DelayBars bars = resultsOf({1, 3, 45, 120, 5, 6}, 0, 0).bars(40);
        QCOMPARE(bars.width, 5);
        QCOMPARE(bars.counts.size(), 24);
        QCOMPARE(bars.counts[0], 3);
        QCOMPARE(bars.counts[1], 1);
        QCOMPARE(bars.counts[8], 1);
        QCOMPARE(bars.counts[23], 1);
        QCOMPARE(std::accumulate(bars.counts.begin(), bars.counts.end(), 0), 6);
        QCOMPARE(resultsOf({2000}, 0, 0).bars(40).width, 50);
    }

    void measuredMeanAgreesWithExact_data()
    {
        QTest::addColumn<int>("n");
        QTest::addColumn<int>("shift");
        QTest::addColumn<int>("runs");
        QTest::newRow("shift 1") << 5 << 1 << 10000;
        QTest::newRow("shift 2") << 5 << 2 << 10000;
        QTest::newRow("no shift: false alarms only") << 5 << 0 << 1000;
        QTest::newRow("single readings, shift 2") << 1 << 2 << 2000;
    }

    // Theory's limits and rule 1: each subgroup after the shift signals with the
    // same chance, so the delays' mean estimates the exact ARL.
    void measuredMeanAgreesWithExact()
    {
        QFETCH(int, n);
        QFETCH(int, shift);
        QFETCH(int, runs);
        const RunLengthSettings settings{.subgroupSize = n, .shift = shift, .shiftAfter = 1, .theoryLimits = true, .runs = runs};
        const SharedState shared = SharedState::initial();
        TwisterSource random(20261207);
        RunLengthLab lab(settings, shared, random);
        while (!lab.finished())
            lab.advance(std::chrono::seconds(1));
        const RunLengthResults &results = lab.results();
        QCOMPARE(results.runs(), runs);
        QCOMPARE(results.runsWithoutSignal(), 0);
        const std::optional<Interval> interval = results.interval();
        QVERIFY(interval);
        // The interval is 1.96 standard errors either side of the mean.
        const double standardError = (interval->high - interval->low) / 2 / 1.96;
        const double exact = *ExactArl(20, n, shared.scale, shared.formats).averageRunLength(shift);
        QVERIFY2(std::abs(results.meanDelay() - exact) < 4 * standardError,
                 qPrintable(QStringLiteral("%1 against %2").arg(results.meanDelay()).arg(exact)));
    }
};

QTEST_GUILESS_MAIN(TestRunLength)
#include "tst_runlength.moc"
