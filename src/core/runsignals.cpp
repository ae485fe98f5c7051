// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/runsignals.h"

#include "core/subgrouprecord.h"

namespace kelvara {

void RunSignals::clear()
{
    *this = RunSignals();
}

qsizetype RunSignals::follow(const SubgroupRecord &record, int subgroupSize, int last, const ChartLines &mean,
                             const ChartLines &range)
{
    // Fewer rows than were read, or another subgroup size: a new run.
    if (last < m_means.size() || subgroupSize != m_subgroupSize) {
        clear();
        m_subgroupSize = subgroupSize;
    }
    const qsizetype before = m_signals.size();
    for (int subgroup = int(m_means.size()) + 1; subgroup <= last; ++subgroup) {
        m_means.append(record.row(subgroup).average);
        const RuleSet meanRules = meanChartRules(m_means, m_means.size() - 1, mean);
        const bool plotsRange = subgroupSize > 1 || subgroup > 1;
        const RuleSet rangeRules
            = plotsRange ? rangeChartRules(record.row(subgroup).range, range) : 0;
        m_meanRules.append(meanRules);
        m_rangeRules.append(rangeRules);
        if (meanRules)
            m_signals.append({subgroup, SignalChart::Mean, meanRules});
        if (rangeRules)
            m_signals.append({subgroup, SignalChart::Range, rangeRules});
    }
    return before;
}

RuleSet RunSignals::rulesAt(SignalChart chart, int subgroup) const
{
    const QList<RuleSet> &rules = chart == SignalChart::Mean ? m_meanRules : m_rangeRules;
    return rules.value(subgroup - 1, 0);
}

int RunSignals::firstSignalAfter(int subgroup) const
{
    for (const RunSignal &signal : m_signals)
        if (signal.subgroup > subgroup)
            return signal.subgroup;
    return 0;
}

} // namespace kelvara
