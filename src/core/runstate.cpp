// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/runstate.h"

namespace kelvara {

void RunState::clearBoard()
{
    funnelPosition = 16.0f;
    slotCount.fill(0);
    baffleCount.fill(0);
    ballOrigins.clear();
}

} // namespace kelvara
