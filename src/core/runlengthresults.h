// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the runs of the run-length lab found so far: how many subgroups each
// took from the funnel's shift to the X-bar chart's first signal, and how
// many signalled before the shift (false alarms) or not at all. The texts the
// lab shows them with.

#include <QList>
#include <QLocale>
#include <QString>

#include <optional>

namespace kelvara {

/// A 95 % confidence interval.
struct Interval {
    double low = 0, high = 0;
};

/// The bars of the delay histogram: bar i counts the delays from
/// i x width + 1 to (i + 1) x width.
struct DelayBars {
    int width = 1;
    QList<int> counts;
};

class RunLengthResults {
public:
    /// One finished run: the delay to its first signal after the shift, or
    /// nothing when none came; whether it signalled before the shift.
    void addRun(std::optional<int> delay, bool falseAlarm);

    int runs() const { return m_runs; }
    int runsWithoutSignal() const { return m_runs - int(m_delays.size()); }
    const QList<int> &delays() const { return m_delays; }

    /// The mean delay of the runs that signalled; 0 when none did.
    double meanDelay() const;
    /// The mean's 95 % interval (Student's t); nothing below two delays.
    std::optional<Interval> interval() const;
    /// The middle delay, or the mean of the two middle ones; 0 when none.
    double medianDelay() const;
    /// Percent of all runs that signalled before the shift.
    double falseAlarmPercent() const;

    /// The delays in at most `maxBars` bars of 1, 2, 5, 10, 20, 50, ... subgroups.
    DelayBars bars(int maxBars) const;

private:
    int m_runs = 0;
    int m_falseAlarms = 0;
    QList<int> m_delays;
};

/// The quantile of Student's t with `freedom` degrees that leaves 2.5 % above it.
double studentT975(int freedom);

/// "Mean delay 56.31 subgroups (95 % interval 55.20 to 57.42), median 40,
/// false alarms before the shift in 3.10 % of runs, 0 runs without a signal";
/// empty before the first run.
QString resultText(const RunLengthResults &results, const QLocale &locale = QLocale());

/// "Exact ARL 56.77", "Exact ARL: no signal is possible" when none can come.
QString exactArlText(std::optional<double> arl, const QLocale &locale = QLocale());

} // namespace kelvara
