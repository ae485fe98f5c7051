// SPDX-License-Identifier: GPL-3.0-or-later
#include "board/balldropper.h"

#include "common/messages.h"
#include "common/waits.h"
#include "board/baffle.h"
#include "board/ballshapes.h"
#include "board/boardhost.h"
#include "surface/drawingsurface.h"
#include "surface/palette.h"

namespace kelvara {

const QString BallDropper::generatorFailedMessage = QStringLiteral("random number generator failed");

BallDropper::BallDropper(DrawingSurface *board, RunState &run, BallShapes &shapes, Baffle &baffle,
                         BoardHost &host, RandomSource &random)
    : m_board(board), m_run(run), m_shapes(shapes), m_baffle(baffle), m_host(host), m_random(random)
{
}

bool BallDropper::dropBall()
{
    m_run.ballStart = startPosition(m_run.funnelPosition, m_run.pinLevels);
    const PathEnd end = walkPath(m_run.funnelPosition, m_run.pinLevels, m_random);
    m_run.ballPosition = end.ballPosition;
    if (end.generatorFailed) {
        showMessage(generatorFailedMessage, QMessageBox::Critical);
        return false;
    }
    land(end.x - 0.5001);
    return true;
}

bool BallDropper::dropBallAnimated()
{
    if (!m_host.letEventsRun())
        return false;
    const bool onBaffle = m_host.baffleShown();
    m_run.ballPosition = m_run.ballStart = startPosition(m_run.funnelPosition, m_run.pinLevels);

    const int index = onBaffle ? m_run.baffleBallCount + 1 : 1;
    OverlayShape *ball = m_shapes.balls.load(index);
    const double w = ball->width(), h = ball->height();
    double top = 95.0 + h / 2;
    double left = (double(m_run.funnelPosition) - 1.0) * 2.5 + 10.0 + 1.25 - w / 2;
    ball->move(left, top);
    ball->setVisible(true);
    double traceX = left, traceY = top;

    for (int row = 1; row <= m_run.pinLevels - 1; ++row) {
        top += h / 2 - rowStepY;
        ball->move(left, top);
        m_board->refresh();
        waitSeconds(m_run.stepDelay);
        const std::optional<int> step = rowStep(m_random);
        if (!step)
            showMessage(generatorFailedMessage, QMessageBox::Critical);
        if (!step || !m_host.letEventsRun())
            return false;
        top -= h / 2;
        const double sign = *step;
        left += sign * rowStepX;
        m_run.ballPosition += float(sign * 0.5);
        ball->move(left, top);
        if (m_run.traceOn) {
            m_shapes.addTraceSegment(traceX, traceY, left, top);
            traceX = left;
            traceY = top;
        }
    }
    if (m_run.traceOn)
        m_shapes.addTraceSegment(traceX, traceY, left, m_run.pinsBottomY);
    land(left);
    return m_host.letEventsRun();
}

// The ball joins its slot's pile as a drawing, or stays a shape on the baffle.
// `left` is the shape's left edge on the baffle.
void BallDropper::land(double left)
{
    const int16 slot = landingSlot(m_run.ballPosition);
    const double h = m_shapes.height();
    if (m_host.baffleShown()) {
        const double top = addToBaffle(m_run, slot, h, m_baffle.y());
        OverlayShape *ball = m_shapes.balls.load(m_run.baffleBallCount);
        ball->move(left, top);
        ball->setTag(QString::number(slot));
        ball->setVisible(true);
        return;
    }
    m_board->setFillColor(qbColor(12));
    m_board->setFillSolid(true);
    const PileBall pile = addToPile(m_run, slot, h);
    m_board->circle(pile.x, pile.y, pile.radius, qbColor(0));
    m_shapes.balls.unload(1);
    m_board->setFillSolid(false);
}

} // namespace kelvara
