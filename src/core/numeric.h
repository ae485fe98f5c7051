// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Number conventions of the run: counts are 16-bit, measurements are stored as
// 32-bit floats after 64-bit arithmetic, and a float becomes an integer by
// rounding halves to the even neighbour.

#include <cmath>
#include <cstdint>
#include <limits>

namespace kelvara {

using int16 = std::int16_t;

/// Rounds to the nearest integer, halves to even, saturating at the 16-bit range.
inline int16 toInt16(double value)
{
    if (std::isnan(value))
        return 0;
    const double rounded = std::nearbyint(value); // default rounding mode: ties to even
    if (rounded >= std::numeric_limits<int16>::max())
        return std::numeric_limits<int16>::max();
    if (rounded <= std::numeric_limits<int16>::min())
        return std::numeric_limits<int16>::min();
    return static_cast<int16>(rounded);
}

/// Stores a 64-bit result in 32-bit float storage.
inline float toSingle(double value)
{
    return static_cast<float>(value);
}

} // namespace kelvara
