// SPDX-License-Identifier: GPL-3.0-or-later
#include "board/baffle.h"

#include "common/waits.h"
#include "board/ballshapes.h"
#include "board/boardpictures.h"
#include "core/ballpath.h"
#include "surface/drawingsurface.h"
#include "surface/fillingiconbutton.h"
#include "surface/overlay.h"
#include "surface/palette.h"

namespace kelvara {

Baffle::Baffle(DrawingSurface *board, RunState &run, BallShapes &shapes)
    : m_board(board), m_run(run), m_shapes(shapes),
      m_line(new OverlayLine(board, QStringLiteral("baffle"))), m_handle(new FillingIconButton(board))
{
    m_line->setColour(Qt::black);
    m_line->setWidth(2);
    m_handle->setObjectName(QStringLiteral("bafflehandle"));
    m_handle->setIcon(baffleHandleIcon());
    m_handle->setToolTip(QObject::tr("Empty the baffle"));
    m_handle->setAccessibleName(m_handle->toolTip());
    setShown(false);
}

void Baffle::place(double ballHeight)
{
    const double lineY = geometry::baffleY(ballHeight);
    m_line->setLine(right, lineY, left, lineY);
    m_board->placeWidget(m_handle, right, lineY + handleHeight / 2, handleWidth, handleHeight);
}

double Baffle::y() const
{
    return m_line->y1();
}

void Baffle::setShown(bool shown)
{
    m_line->setVisible(shown);
    m_handle->setVisible(shown);
}

void Baffle::setDotted(bool dotted)
{
    m_line->setStyle(dotted ? Qt::DotLine : Qt::SolidLine);
    m_board->refresh();
}

void Baffle::release()
{
    const int count = m_run.baffleBallCount;
    m_board->setFillColor(qbColor(12));
    m_board->setFillSolid(true);
    for (int i = 1; i <= count; ++i) {
        OverlayShape *ball = m_shapes.balls.at(i);
        if (ball) {
            const int16 slot = std::clamp<int16>(ball->tag().toShort(), 1, slotTotal);
            const PileBall pile = addToPile(m_run, slot, ball->height());
            m_board->circle(pile.x, pile.y, pile.radius, qbColor(0));
        }
        m_shapes.balls.unload(i);
        --m_run.baffleBallCount;
    }
    m_board->setFillSolid(false);
    m_run.baffleCount.fill(0);
}

void Baffle::empty()
{
    setDotted(true);
    waitSeconds(0.3);
    release();
    setDotted(false);
}

void Baffle::drain()
{
    setDotted(true);
    release();
    setDotted(false);
}

void Baffle::hide()
{
    drain();
    setShown(false);
}

} // namespace kelvara
