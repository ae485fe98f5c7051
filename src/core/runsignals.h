// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The run-rule signals of one run: its plotted averages and ranges, read from
// the run's record as subgroups complete, judged against the run's own
// control limits once they are fixed. Every point counts, from subgroup 1 on;
// a point's verdict never changes afterwards, so each is judged once.

#include "core/runrules.h"

#include <QList>

namespace kelvara {

class SubgroupRecord;

enum class SignalChart { Mean, Range };

/// A point that breaks at least one rule.
struct RunSignal {
    int subgroup = 0;
    SignalChart chart = SignalChart::Mean;
    RuleSet rules = 0;
    bool operator==(const RunSignal &) const = default;
};

class RunSignals {
public:
    /// Forgets the run: the next one starts from subgroup 1.
    void clear();

    /// Reads the subgroups of the record completed since the last call
    /// (to `last`) and judges their points against the limits. Returns the
    /// index in list() of the first signal it added; the ones before are the
    /// same as before (none when fewer rows than before mean a new run).
    /// Subgroup 1 of single readings has no moving range.
    qsizetype follow(const SubgroupRecord &record, int subgroupSize, int last, const ChartLines &mean,
                     const ChartLines &range);

    /// Oldest first; of one subgroup the X-bar chart's before the R chart's.
    const QList<RunSignal> &list() const { return m_signals; }
    /// The rules the point of a subgroup breaks on a chart; 0 for none.
    RuleSet rulesAt(SignalChart chart, int subgroup) const;
    /// The first subgroup after `subgroup` with a signal on either chart; 0 when none.
    int firstSignalAfter(int subgroup) const;

private:
    int m_subgroupSize = 0;
    QList<float> m_means;       // subgroup i at index i - 1
    QList<RuleSet> m_meanRules; // alike
    QList<RuleSet> m_rangeRules;
    QList<RunSignal> m_signals;
};

} // namespace kelvara
