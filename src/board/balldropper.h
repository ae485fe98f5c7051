// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Draws a ball the run drops: the animated one row by row as it walks its
// path, with an optional trace line, and every ball where it comes to rest,
// on its slot's pile or, while the baffle is shown, on the baffle.

#include "core/quincunxrun.h"
#include "core/runstate.h"

namespace kelvara {

class BallShapes;
class DrawingSurface;
class OverlayShape;

class BallDropper {
public:
    BallDropper(DrawingSurface *board, QuincunxRun &run, BallShapes &shapes);

    /// An animated ball leaves the funnel: its shape shows above the first pin row.
    void start(const PathStepper &path);
    /// Moves the animated ball down to its next pin row and waits one step.
    void reachPin();
    /// Moves the animated ball by the step it took and draws its trace.
    void step(const PathStepper &path);
    /// Draws a ball where it came to rest.
    void land(const BallLanding &landing, bool animated);

private:
    DrawingSurface *m_board;
    const QuincunxRun &m_quincunx;
    RunState &m_run;
    BallShapes &m_shapes;
    OverlayShape *m_ball = nullptr;
    double m_left = 0, m_top = 0;
    double m_traceX = 0, m_traceY = 0;
};

} // namespace kelvara
