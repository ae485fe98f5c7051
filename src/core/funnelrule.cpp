// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/funnelrule.h"

#include "core/ballpath.h"

#include <algorithm>

namespace kelvara {

FunnelMoveRule funnelRuleNumbered(int number)
{
    return static_cast<FunnelMoveRule>(std::clamp(number, 1, funnelRuleCount));
}

bool funnelRulesAllowed(int16 pinLevels)
{
    return pinLevels % 2 != 0;
}

FunnelMove nextFunnelPosition(FunnelMoveRule rule, int16 funnel, int16 target, int16 landing, FunnelTravel travel)
{
    const int error = landing - target;
    int wanted = funnel;
    switch (rule) {
    case FunnelMoveRule::LeaveAlone:
        break;
    case FunnelMoveRule::MoveBack:
        wanted = funnel - error;
        break;
    case FunnelMoveRule::AimOpposite:
        wanted = target - error;
        break;
    case FunnelMoveRule::OverLastBall:
        wanted = landing;
        break;
    }
    const int position = std::clamp<int>(wanted, travel.lowest, travel.highest);
    return {int16(position), position != wanted};
}

void FunnelExperiment::choose(FunnelMoveRule rule, int16 funnel)
{
    if (rule == FunnelMoveRule::LeaveAlone) {
        end();
        return;
    }
    if (!running())
        m_target = funnel;
    if (rule != m_rule)
        m_clamped = 0;
    m_rule = rule;
}

void FunnelExperiment::end()
{
    m_rule = FunnelMoveRule::LeaveAlone;
    m_clamped = 0;
}

int16 FunnelExperiment::nextPosition(int16 funnel, int16 landing, FunnelTravel travel)
{
    const FunnelMove move = nextFunnelPosition(m_rule, funnel, m_target, landing, travel);
    if (move.clamped)
        ++m_clamped;
    return move.position;
}

void FunnelExperiment::afterLanding(QuincunxRun &run)
{
    if (!running())
        return;
    const int16 funnel = toInt16(run.state().funnelPosition);
    const FunnelTravel travel{toInt16(run.lowestFunnel()), toInt16(run.highestFunnel())};
    const int16 next = nextPosition(funnel, landingSlot(run.state().ballPosition), travel);
    if (next != funnel)
        run.placeFunnel(float(next));
}

QString funnelRuleTitle(FunnelMoveRule rule)
{
    switch (rule) {
    case FunnelMoveRule::LeaveAlone:
        return QStringLiteral("Rule 1: Leave the funnel alone");
    case FunnelMoveRule::MoveBack:
        return QStringLiteral("Rule 2: Move it back by the last error");
    case FunnelMoveRule::AimOpposite:
        return QStringLiteral("Rule 3: Aim it at the target minus the last error");
    case FunnelMoveRule::OverLastBall:
        break;
    }
    return QStringLiteral("Rule 4: Put it over the last ball");
}

QString stoppedMovesText(int count)
{
    return QString::number(count) + (count == 1 ? QStringLiteral(" move") : QStringLiteral(" moves"))
           + QStringLiteral(" stopped at the edge");
}

QString funnelRuleStatus(FunnelMoveRule rule, int clampedCount)
{
    return QStringLiteral("Funnel rule %1: ").arg(int(rule)) + stoppedMovesText(clampedCount);
}

} // namespace kelvara
