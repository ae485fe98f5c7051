#pragma once
// The program's one shared state and its one random generator.

#include "core/ballpath.h"
#include "core/sharedstate.h"

namespace kelvara {

SharedState &shared();

/// The generator of every random draw: seeded once from the clock, or by
/// testing::seedRandom.
RandomSource &randomSource();

/// The factor every timed wait is multiplied by (1 unless a test changed it).
double timeScale();

} // namespace kelvara
