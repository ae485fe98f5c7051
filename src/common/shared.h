// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's one random generator and the time scale of its timed waits.

#include "core/ballpath.h"

#include <cstdint>

namespace kelvara {

/// The generator of every random draw: seeded once from the clock, or by
/// testing::seedRandom.
RandomSource &randomSource();
void seedRandomSource(std::uint32_t seed);

/// The factor every timed wait is multiplied by (1 unless a test changed it);
/// a negative factor counts as 0.
double timeScale();
void setTimeScale(double factor);

} // namespace kelvara
