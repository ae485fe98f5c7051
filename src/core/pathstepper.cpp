// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/pathstepper.h"

#include "core/ballpath.h"

namespace kelvara {

double startX(float funnelPosition)
{
    return (double(funnelPosition) - 1.0) * geometry::slotWidth + geometry::firstPinX + geometry::rowStepX;
}

PathStepper::PathStepper(float funnelPosition, int16 pinLevels)
    : m_start(pinLevels % 2 != 0 ? funnelPosition : funnelPosition - 0.5f), m_position(m_start),
      m_x(startX(funnelPosition)), m_rows(pinLevels - 1)
{
}

std::optional<int> PathStepper::step(RandomSource &random)
{
    const std::optional<int> move = rowStep(random);
    if (!move) {
        m_rows = m_row;
        return move;
    }
    ++m_row;
    m_lastMove = *move;
    m_x += *move * geometry::rowStepX;
    m_position += float(*move * 0.5);
    return move;
}

bool PathStepper::walk(RandomSource &random)
{
    while (!finished())
        if (!step(random))
            return false;
    return true;
}

} // namespace kelvara
