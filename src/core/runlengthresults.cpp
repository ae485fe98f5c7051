// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/runlengthresults.h"

#include "core/numberformat.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace kelvara {
namespace {

// P(-t < T < t) for Student's t with whole degrees of freedom, from the
// finite series in cos(theta), theta = atan(t / sqrt(freedom)).
double centralChance(double t, int freedom)
{
    const double theta = std::atan(t / std::sqrt(double(freedom)));
    const double c2 = std::cos(theta) * std::cos(theta);
    if (freedom % 2 == 0) {
        double term = 1.0, sum = 1.0;
        for (int k = 2; k <= freedom - 2; k += 2)
            sum += term *= (k - 1.0) / k * c2;
        return std::sin(theta) * sum;
    }
    double sum = 0.0;
    if (freedom > 1) {
        double term = std::cos(theta);
        sum = term;
        for (int k = 3; k <= freedom - 2; k += 2)
            sum += term *= (k - 1.0) / k * c2;
    }
    return 2.0 / std::numbers::pi * (theta + std::sin(theta) * sum);
}

QString twoDecimals(double value, const QLocale &locale)
{
    return formatNumber(value, QStringLiteral("0.00"), locale);
}

} // namespace

void RunLengthResults::addRun(std::optional<int> delay, bool falseAlarm)
{
    ++m_runs;
    if (falseAlarm)
        ++m_falseAlarms;
    if (delay)
        m_delays.append(*delay);
}

double RunLengthResults::meanDelay() const
{
    if (m_delays.isEmpty())
        return 0.0;
    double sum = 0.0;
    for (int delay : m_delays)
        sum += delay;
    return sum / double(m_delays.size());
}

std::optional<Interval> RunLengthResults::interval() const
{
    const qsizetype count = m_delays.size();
    if (count < 2)
        return std::nullopt;
    const double mean = meanDelay();
    double squares = 0.0;
    for (int delay : m_delays)
        squares += (delay - mean) * (delay - mean);
    const double standardError = std::sqrt(squares / double(count - 1) / double(count));
    const double half = studentT975(int(count - 1)) * standardError;
    return Interval{mean - half, mean + half};
}

double RunLengthResults::medianDelay() const
{
    if (m_delays.isEmpty())
        return 0.0;
    QList<int> sorted = m_delays;
    const qsizetype middle = sorted.size() / 2;
    std::nth_element(sorted.begin(), sorted.begin() + middle, sorted.end());
    if (sorted.size() % 2 != 0)
        return sorted[middle];
    const int below = *std::max_element(sorted.begin(), sorted.begin() + middle);
    return (below + sorted[middle]) / 2.0;
}

double RunLengthResults::falseAlarmPercent() const
{
    return m_runs == 0 ? 0.0 : 100.0 * m_falseAlarms / m_runs;
}

DelayBars RunLengthResults::bars(int maxBars) const
{
    const int longest = m_delays.isEmpty() ? 0 : *std::max_element(m_delays.begin(), m_delays.end());
    DelayBars bars;
    const auto barCount = [longest](int width) { return (longest + width - 1) / width; };
    constexpr int steps[] = {1, 2, 5};
    for (int i = 1, decade = 1; barCount(bars.width) > maxBars; ++i) {
        if (i % 3 == 0)
            decade *= 10;
        bars.width = steps[i % 3] * decade;
    }
    bars.counts.fill(0, barCount(bars.width));
    for (int delay : m_delays)
        ++bars.counts[(delay - 1) / bars.width];
    return bars;
}

double studentT975(int freedom)
{
    double low = 0.0, high = 1000.0;
    for (int step = 0; step < 60; ++step) {
        const double middle = (low + high) / 2.0;
        (centralChance(middle, freedom) < 0.95 ? low : high) = middle;
    }
    return (low + high) / 2.0;
}

QString resultText(const RunLengthResults &results, const QLocale &locale)
{
    if (results.runs() == 0)
        return {};
    QString delay;
    if (results.delays().isEmpty()) {
        delay = QStringLiteral("No run signalled after the shift");
    } else {
        const std::optional<Interval> interval = results.interval();
        const QString range = interval ? QStringLiteral("95 % interval %1 to %2")
                                             .arg(twoDecimals(interval->low, locale), twoDecimals(interval->high, locale))
                                       : QStringLiteral("no interval from one run");
        delay = QStringLiteral("Mean delay %1 subgroups (%2), median %3")
                    .arg(twoDecimals(results.meanDelay(), locale), range,
                         locale.toString(results.medianDelay(), 'g', 7));
    }
    const int silent = results.runsWithoutSignal();
    return QStringLiteral("%1, false alarms before the shift in %2 % of runs, %3 %4 without a signal")
        .arg(delay, twoDecimals(results.falseAlarmPercent(), locale), locale.toString(silent),
             silent == 1 ? QStringLiteral("run") : QStringLiteral("runs"));
}

QString exactArlText(std::optional<double> arl, const QLocale &locale)
{
    if (!arl)
        return QStringLiteral("Exact ARL: no signal is possible");
    return QStringLiteral("Exact ARL ") + twoDecimals(*arl, locale);
}

} // namespace kelvara
