// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/runlengthlab.h"

#include "core/exactarl.h"
#include "core/quincunxrun.h"

#include <algorithm>

namespace kelvara {
namespace {

constexpr float centreSlot = 16.0f;

RunSettings runSettings(const RunLengthSettings &settings)
{
    RunSettings run;
    run.rows = settings.rows;
    run.subgroupSize = settings.subgroupSize;
    run.limitCount = settings.limitCount;
    run.dropCount = 1; // the lab looks at every subgroup as it closes
    run.unlimitedRoom = true;
    return run;
}

} // namespace

int clampedShift(int rows, int shift)
{
    // The funnel's reach is the run's to know; a run that never drops asks it.
    const SharedState shared = SharedState::initial();
    TwisterSource unused(0);
    QuincunxRun run(shared, unused);
    RunLengthSettings settings;
    settings.rows = rows;
    run.setSettings(runSettings(settings));
    run.reset();
    return int(std::clamp(centreSlot + float(shift), run.lowestFunnel(), run.highestFunnel()) - centreSlot);
}

RunLengthLab::RunLengthLab(const RunLengthSettings &settings, const SharedState &shared, RandomSource &random)
    : m_settings(settings), m_shared(shared), m_run(std::make_unique<QuincunxRun>(m_shared, random)),
      m_shiftMade(clampedShift(settings.rows, settings.shift)),
      m_theory(theoryLimits(settings.rows, settings.subgroupSize, shared.scale))
{
    m_run->setSettings(runSettings(settings));
    startRun();
}

RunLengthLab::~RunLengthLab() = default;

void RunLengthLab::advance(std::chrono::milliseconds slice)
{
    const auto end = std::chrono::steady_clock::now() + slice;
    while (!finished() && std::chrono::steady_clock::now() < end)
        dropSubgroup();
}

void RunLengthLab::startRun()
{
    m_run->reset();
    m_subgroup = 0;
    m_falseAlarm = false;
    m_means.clear();
}

void RunLengthLab::dropSubgroup()
{
    m_run->run();
    if (m_run->record().rowCount() != m_subgroup + 1) {
        // The generator failed: no run can be completed.
        m_failed = true;
        return;
    }
    ++m_subgroup;
    const int n = m_settings.subgroupSize;
    m_means.append(m_run->record().measurement(m_subgroup, SubgroupRecord::averageColumn(n)));
    if (m_subgroup == m_settings.shiftAfter)
        m_run->placeFunnel(centreSlot + float(m_shiftMade));

    // With limits from the first k subgroups, the points up to k are judged
    // once those limits are fixed, as the charts judge them.
    const int k = m_settings.limitCount;
    if (!m_settings.theoryLimits && m_subgroup < k)
        return;
    const int firstJudged = !m_settings.theoryLimits && m_subgroup == k ? 1 : m_subgroup;
    for (int point = firstJudged; point <= m_subgroup; ++point) {
        if (!judge(point))
            continue;
        if (point <= m_settings.shiftAfter) {
            m_falseAlarm = true;
            continue;
        }
        endRun(point - m_settings.shiftAfter);
        return;
    }
    if (m_subgroup - m_settings.shiftAfter >= longestWait)
        endRun(std::nullopt);
}

void RunLengthLab::endRun(std::optional<int> delay)
{
    m_results.addRun(delay, m_falseAlarm);
    if (!finished())
        startRun();
}

// Whether the X-bar (X) chart's point of a subgroup signals by the rules in use.
bool RunLengthLab::judge(int subgroup) const
{
    ChartLines lines = m_theory;
    if (!m_settings.theoryLimits) {
        const ControlLimits limits = m_run->controlLimits();
        lines = {m_run->state().xBarBar, limits.uclX, limits.lclX};
    }
    const RuleSet rules = meanChartRules(m_means, subgroup - 1, lines);
    return (rules & (m_settings.allRules ? ~RuleSet(0) : ruleBit(1))) != 0;
}

} // namespace kelvara
