// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/ballpath.h"

#include <algorithm>
#include <cmath>

namespace kelvara {

float TwisterSource::nextUniform()
{
    // 24 random bits give every float in [0, 1) on a 2^-24 grid, never 1.
    return static_cast<float>(m_engine() >> 8) * (1.0f / 16777216.0f);
}

int16 decisionOf(float r)
{
    return toInt16(std::floor(double(r) + double(r)));
}

std::optional<int> rowStep(RandomSource &random)
{
    switch (decisionOf(random.nextUniform())) {
    case 0:
        return -1;
    case 1:
        return +1;
    default:
        return std::nullopt;
    }
}

int16 landingSlot(float ballPosition)
{
    return std::clamp<int16>(toInt16(ballPosition), 1, slotTotal);
}

PileBall addToPile(RunState &run, int16 slot, double h)
{
    const double top = double(run.slotCount[slot]) * h + geometry::floorY + h;
    ++run.slotCount[slot];
    const double radius = double(run.ballSize) / 2.0;
    return {double(run.slotX[slot]), top - radius, radius};
}

double addToBaffle(RunState &run, int16 slot, double h, double baffleY)
{
    const double top = double(run.baffleCount[slot]) * h + baffleY + h;
    ++run.baffleCount[slot];
    ++run.baffleBallCount;
    return top;
}

} // namespace kelvara
