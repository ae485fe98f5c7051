// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/chartbounds.h"

#include "core/numeric.h"

#include <cmath>

namespace kelvara {

ChartBounds ChartBounds::startFor(const Scale &scale)
{
    ChartBounds bounds;
    bounds.maxX = toSingle(double(scale.halfWidth) + double(scale.center));
    bounds.minX = toSingle(double(scale.center) - double(scale.halfWidth));
    bounds.maxR = toSingle((double(scale.halfWidth) + double(scale.halfWidth)) / 30.0);
    bounds.minR = 0.0f;
    return bounds;
}

void ChartBounds::trackMaxX(float value, const Scale &scale)
{
    if (std::isfinite(value) && (maxX == startFor(scale).maxX || value > maxX))
        maxX = value;
}

void ChartBounds::trackMinX(float value, const Scale &scale)
{
    if (std::isfinite(value) && (minX == startFor(scale).minX || value < minX))
        minX = value;
}

void ChartBounds::trackMaxR(float value, const Scale &scale)
{
    if (std::isfinite(value) && (maxR == startFor(scale).maxR || value > maxR))
        maxR = value;
}

} // namespace kelvara
