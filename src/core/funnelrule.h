// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The funnel experiment: four rules for moving the funnel after each ball
// lands, measured against a target slot T. Rule 1 leaves the funnel alone;
// the other three "correct" for the last error z = landing slot - T and make
// the process worse.

#include "core/numeric.h"
#include "core/quincunxrun.h"

#include <QString>

namespace kelvara {

enum class FunnelMoveRule {
    LeaveAlone = 1,     // the funnel stays where it is
    MoveBack = 2,       // f - z, from where the funnel is now
    AimOpposite = 3,    // T - z
    OverLastBall = 4,   // the slot the ball landed in
};

inline constexpr int funnelRuleCount = 4;

/// The rule numbered 1..4.
FunnelMoveRule funnelRuleNumbered(int number);

/// The slots the funnel can stand over: every slot a ball can then reach
/// lies within 1..31.
struct FunnelTravel {
    int16 lowest;
    int16 highest;
};

/// Rules 2-4 need an even number of offset rows (an odd number of pin
/// levels): otherwise a ball starts half a slot left of the funnel and the
/// funnel would creep left under every rule that follows the balls.
bool funnelRulesAllowed(int16 pinLevels);

/// Where a rule sends the funnel after a ball: the position within the
/// travel, and whether the travel stopped the rule's move short.
struct FunnelMove {
    int16 position;
    bool clamped;
};
FunnelMove nextFunnelPosition(FunnelMoveRule rule, int16 funnel, int16 target, int16 landing, FunnelTravel travel);

/// The experiment on a run: the rule in force, its target and how many of
/// its moves the edge stopped. Rule 1 is no experiment at all.
class FunnelExperiment : public FunnelRule {
public:
    FunnelMoveRule rule() const { return m_rule; }
    bool running() const { return m_rule != FunnelMoveRule::LeaveAlone; }
    int16 target() const { return m_target; }
    int clampedCount() const { return m_clamped; }

    /// Puts a rule in force. Leaving rule 1 takes the funnel's slot as the
    /// target; a change among rules 2-4 keeps it. Each rule counts its own
    /// stopped moves.
    void choose(FunnelMoveRule rule, int16 funnel);
    /// Back to rule 1: the experiment is over.
    void end();
    /// The funnel's slot for the next ball, after one landed in `landing`.
    int16 nextPosition(int16 funnel, int16 landing, FunnelTravel travel);
    /// Moves the run's funnel for the next ball, as its buttons would.
    void afterLanding(QuincunxRun &run) override;

private:
    FunnelMoveRule m_rule = FunnelMoveRule::LeaveAlone;
    int16 m_target = 16;
    int m_clamped = 0;
};

/// "Rule 1: Leave the funnel alone" and the other three menu texts.
QString funnelRuleTitle(FunnelMoveRule rule);

/// "4 moves stopped at the edge", "1 move stopped at the edge".
QString stoppedMovesText(int count);

/// The board's label while rules 2-4 are in force: "Funnel rule 3: 4 moves
/// stopped at the edge".
QString funnelRuleStatus(FunnelMoveRule rule, int clampedCount);

} // namespace kelvara
