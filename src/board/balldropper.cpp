// SPDX-License-Identifier: GPL-3.0-or-later
#include "board/balldropper.h"

#include "common/waits.h"
#include "board/ballshapes.h"
#include "surface/drawingsurface.h"
#include "surface/palette.h"

namespace kelvara {

BallDropper::BallDropper(DrawingSurface *board, QuincunxRun &run, BallShapes &shapes)
    : m_board(board), m_quincunx(run), m_run(run.state()), m_shapes(shapes)
{
}

void BallDropper::start(const PathStepper &path)
{
    const int index = m_quincunx.settings().baffle ? m_run.baffleBallCount + 1 : 1;
    m_ball = m_shapes.balls.load(index);
    const double w = m_ball->width(), h = m_ball->height();
    m_top = geometry::firstRowY + h / 2;
    m_left = path.x() - w / 2;
    m_ball->move(m_left, m_top);
    m_ball->setVisible(true);
    m_traceX = m_left;
    m_traceY = m_top;
}

void BallDropper::reachPin()
{
    m_top += m_ball->height() / 2 - geometry::rowStepY;
    m_ball->move(m_left, m_top);
    m_board->refresh();
    waitSeconds(m_run.stepDelay);
}

void BallDropper::step(const PathStepper &path)
{
    m_top -= m_ball->height() / 2;
    m_left += path.lastMove() * geometry::rowStepX;
    m_ball->move(m_left, m_top);
    if (m_run.traceOn) {
        m_shapes.addTraceSegment(m_traceX, m_traceY, m_left, m_top);
        m_traceX = m_left;
        m_traceY = m_top;
    }
}

// The ball joins its slot's pile as a drawing, or stays a shape on the baffle.
void BallDropper::land(const BallLanding &landing, bool animated)
{
    if (animated && m_run.traceOn)
        m_shapes.addTraceSegment(m_traceX, m_traceY, m_left, m_run.pinsBottomY);
    const double left = animated ? m_left : landing.x - 0.5001;
    if (landing.onBaffle) {
        OverlayShape *ball = m_shapes.balls.load(m_run.baffleBallCount);
        ball->move(left, landing.baffleTop);
        ball->setTag(QString::number(landing.slot));
        ball->setVisible(true);
        return;
    }
    m_board->setFillColor(qbColor(12));
    m_board->setFillSolid(true);
    m_board->circle(landing.pile.x, landing.pile.y, landing.pile.radius, qbColor(0));
    m_shapes.balls.unload(1);
    m_board->setFillSolid(false);
}

} // namespace kelvara
