// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The funnel experiment on the board: the rule in force moves the funnel
// after each ball lands, a mark shows the target and a label counts the
// moves the edge stopped. Under rule 1 nothing of it shows.

#include "core/funnelrule.h"
#include "core/runstate.h"

class QLabel;

namespace kelvara {

class DrawingSurface;
class OverlayImage;

/// The run asks it after every ball; it moves the run's funnel by the rule
/// in force and shows the count.
class FunnelRules : public FunnelRule {
public:
    FunnelRules(DrawingSurface *board, RunState &run);

    FunnelMoveRule rule() const { return m_experiment.rule(); }
    /// Whether rules 2-4 can be chosen with the offset rows the board has.
    bool rulesAllowed() const;
    /// Puts a rule in force; rules 2-4 only while they are allowed.
    void choose(FunnelMoveRule rule);
    /// Back to rule 1 (Reset, new rows, a new scale).
    void end();
    /// A ball landed: the rule moves the funnel for the next one.
    void afterLanding(QuincunxRun &run) override;
    /// The experiment's target, or the funnel's slot while rule 1 is in force.
    int16 target() const;

    QLabel *label() const { return m_label; }
    OverlayImage *targetMark() const { return m_mark; }

private:
    void show();

    RunState &m_run;
    FunnelExperiment m_experiment;
    OverlayImage *m_mark;
    QLabel *m_label;
};

} // namespace kelvara
