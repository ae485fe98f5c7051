// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Running bounds that scale the control charts. Each bound starts at a value
// derived from the scale, which also marks it as not yet set: the first value
// fed replaces it outright, later values can only widen it. A value that is not
// a finite number (limits of an overflowing scale) is ignored: once stored it
// would stay until the next change of scale.

#include "core/scale.h"

namespace kelvara {

struct ChartBounds {
    float maxX = 31.0f;
    float minX = 1.0f;
    float maxR = 1.0f;
    float minR = 0.0f;

    /// The start values for a scale.
    static ChartBounds startFor(const Scale &scale);

    void trackMaxX(float value, const Scale &scale);
    void trackMinX(float value, const Scale &scale);
    void trackMaxR(float value, const Scale &scale);
};

} // namespace kelvara
