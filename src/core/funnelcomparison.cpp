// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/funnelcomparison.h"

#include "core/numberformat.h"

#include <cmath>

namespace kelvara {

float ReplaySource::nextUniform()
{
    if (m_next == m_draws.size())
        m_draws.push_back(m_source.nextUniform());
    return m_draws[m_next++];
}

RuleStatistics landingStatistics(const std::vector<int16> &landings, int clampedCount)
{
    RuleStatistics statistics;
    statistics.clampedCount = clampedCount;
    const double count = double(landings.size());
    if (landings.empty())
        return statistics;
    double sum = 0.0;
    for (int16 slot : landings)
        sum += slot;
    statistics.mean = sum / count;
    if (landings.size() < 2)
        return statistics;
    double squares = 0.0;
    for (int16 slot : landings)
        squares += (slot - statistics.mean) * (slot - statistics.mean);
    statistics.variance = squares / (count - 1.0);
    statistics.standardDeviation = std::sqrt(statistics.variance);
    return statistics;
}

QString ruleResultText(FunnelMoveRule rule, const RuleStatistics &statistics, const RuleStatistics &ruleOne,
                       const QLocale &locale)
{
    const QString twoDecimals = QStringLiteral("0.00");
    QString text = QStringLiteral("Rule %1: mean ").arg(int(rule)) + formatNumber(statistics.mean, twoDecimals, locale)
                   + QStringLiteral(", standard deviation ")
                   + formatNumber(statistics.standardDeviation, twoDecimals, locale);
    // Without any spread under rule 1 there is nothing to compare with.
    if (ruleOne.variance > 0.0)
        text += QStringLiteral(", variance ") + formatNumber(statistics.variance / ruleOne.variance, twoDecimals, locale)
                + QStringLiteral(" times rule 1");
    else
        text += QStringLiteral(", no variance under rule 1 to compare with");
    return text + QStringLiteral(", ") + stoppedMovesText(statistics.clampedCount);
}

FunnelComparison::FunnelComparison(int16 offsetRows, int16 target, int balls, RandomSource &random)
    : m_pinLevels(int16(offsetRows + 1)), m_target(target), m_balls(balls), m_replay(random)
{
}

bool FunnelComparison::run(const std::function<bool()> &keepGoing)
{
    for (int number = 1; number <= funnelRuleCount; ++number) {
        m_replay.rewind();
        if (!runRule(funnelRuleNumbered(number), keepGoing))
            return false;
    }
    return true;
}

bool FunnelComparison::runRule(FunnelMoveRule rule, const std::function<bool()> &keepGoing)
{
    Lane &current = lane(rule);
    current = {};
    current.landings.reserve(std::size_t(m_balls));
    FunnelExperiment experiment;
    experiment.choose(rule, m_target);
    const FunnelTravel travel = funnelTravel(m_pinLevels);
    int16 funnel = m_target;
    for (int ball = 0; ball < m_balls; ++ball) {
        if (ball % sliceBalls == 0 && ball > 0 && !keepGoing())
            return false;
        const PathEnd end = walkPath(float(funnel), m_pinLevels, m_replay);
        const int16 slot = landingSlot(end.ballPosition);
        current.landings.push_back(slot);
        funnel = experiment.afterLanding(funnel, slot, travel);
    }
    current.clamped = experiment.clampedCount();
    return true;
}

RuleStatistics FunnelComparison::statistics(FunnelMoveRule rule) const
{
    return landingStatistics(landings(rule), lane(rule).clamped);
}

} // namespace kelvara
