// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Seams for tests and benchmarks: they may be called before startUp() and
// keep their effect through it.

#include <cstdint>

namespace kelvara::testing {

/// Multiplies every timed wait of the program; 0 makes them all instant.
void setTimeScale(double factor);

/// Makes every random draw reproducible from this call on.
void seedRandom(std::uint32_t seed);

} // namespace kelvara::testing
