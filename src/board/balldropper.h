// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Drops one ball: instantly (the path computed at once, only the landed ball
// drawn) or animated row by row with an optional trace line. The ball lands
// on its slot's pile or, while the baffle is shown, on the baffle.

#include "core/ballpath.h"
#include "core/runstate.h"

#include <QString>

namespace kelvara {

class Baffle;
class BallShapes;
class BoardHost;
class DrawingSurface;

class BallDropper {
public:
    BallDropper(DrawingSurface *board, RunState &run, BallShapes &shapes, Baffle &baffle,
                BoardHost &host, RandomSource &random);

    /// False when the ball did not land (a faulty generator, or the program is closing).
    bool dropBall();
    bool dropBallAnimated();

    static const QString generatorFailedMessage;

private:
    void land(double left);

    DrawingSurface *m_board;
    RunState &m_run;
    BallShapes &m_shapes;
    Baffle &m_baffle;
    BoardHost &m_host;
    RandomSource &m_random;
};

} // namespace kelvara
