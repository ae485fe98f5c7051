// SPDX-License-Identifier: GPL-3.0-or-later
#include "board/ballshapes.h"

#include "surface/palette.h"

namespace kelvara {
namespace {

OverlayShape *ballTemplate(DrawingSurface *board)
{
    auto *ball = new OverlayShape(board, QStringLiteral("qball"));
    ball->setSize(BallShapes::designHeight, BallShapes::designHeight);
    ball->setColours(qbColor(12), qbColor(0));
    ball->setVisible(false);
    return ball;
}

OverlayLine *traceTemplate(DrawingSurface *board)
{
    auto *line = new OverlayLine(board, QStringLiteral("traceLine"));
    line->setWidth(2);
    line->setVisible(false);
    return line;
}

} // namespace

BallShapes::BallShapes(DrawingSurface *board) : balls(ballTemplate(board)), traces(traceTemplate(board)) {}

double BallShapes::height() const
{
    return balls.templateElement() ? balls.templateElement()->height() : designHeight;
}

void BallShapes::addTraceSegment(double x1, double y1, double x2, double y2)
{
    OverlayLine *segment = traces.load(traces.count());
    const OverlayShape *ball = balls.templateElement();
    const double w = ball->width(), h = ball->height();
    segment->setLine(x1 + w / 2, y1 - h, x2 + w / 2, y2 - h);
    segment->setVisible(true);
}

} // namespace kelvara
