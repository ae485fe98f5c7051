// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/funnelcomparison.h"

#include "core/numberformat.h"

#include <algorithm>
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

namespace {

// The experiment for the balls compared: whole subgroups may drop a few
// balls more, which neither move the funnel nor count.
class ComparedRule : public FunnelRule {
public:
    ComparedRule(FunnelMoveRule rule, int16 target, int balls) : m_balls(balls) { m_experiment.choose(rule, target); }
    void afterLanding(QuincunxRun &run) override
    {
        if (++m_landed < m_balls)
            m_experiment.afterLanding(run);
    }
    int clampedCount() const { return m_experiment.clampedCount(); }

private:
    FunnelExperiment m_experiment;
    int m_balls;
    int m_landed = 0;
};

} // namespace

bool FunnelComparison::runRule(FunnelMoveRule rule, const std::function<bool()> &keepGoing)
{
    const SharedState shared = SharedState::initial();
    QuincunxRun run(shared, m_replay);
    RunSettings settings;
    settings.rows = m_pinLevels - 1;
    settings.subgroupSize = subgroupSize;
    settings.unlimitedRoom = true;
    run.setSettings(settings);
    run.reset();
    run.placeFunnel(float(m_target));
    ComparedRule compared(rule, m_target, m_balls);
    run.setFunnelRule(&compared);
    const int subgroups = (m_balls + subgroupSize - 1) / subgroupSize;
    for (int dropped = 0; dropped < subgroups;) {
        if (dropped > 0 && !keepGoing())
            return false;
        settings.dropCount = std::min(sliceSubgroups, subgroups - dropped);
        run.setSettings(settings);
        run.run();
        if (run.stop() != RunStop::None)
            return false;
        dropped += settings.dropCount;
    }
    lane(rule) = {landingsOf(run.record()), compared.clampedCount()};
    return true;
}

std::vector<int16> FunnelComparison::landingsOf(const SubgroupRecord &record) const
{
    std::vector<int16> landings;
    landings.reserve(std::size_t(m_balls));
    for (int row = 1; row <= record.rowCount(); ++row)
        for (const float position : record.row(row).positions)
            if (int(landings.size()) < m_balls)
                landings.push_back(landingSlot(position));
    return landings;
}

RuleStatistics FunnelComparison::statistics(FunnelMoveRule rule) const
{
    return landingStatistics(landings(rule), lane(rule).clamped);
}

} // namespace kelvara
