// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The rules of one ball's path: where it starts under the funnel, the fair
// left/right decision at each pin row, and where it comes to rest.

#include "core/numeric.h"
#include "core/pathstepper.h"
#include "core/runstate.h"

#include <cstdint>
#include <optional>
#include <random>

namespace kelvara {

/// Uniform 32-bit floats in [0, 1).
class RandomSource {
public:
    virtual ~RandomSource() = default;
    virtual float nextUniform() = 0;
};

/// The program's generator: a Mersenne twister seeded once.
class TwisterSource : public RandomSource {
public:
    explicit TwisterSource(std::uint32_t seed) : m_engine(seed) {}
    void seed(std::uint32_t seed) { m_engine.seed(seed); }
    float nextUniform() override;

private:
    std::mt19937 m_engine;
};

/// floor(r + r): 0 sends the ball left, 1 right; anything else is a faulty generator.
int16 decisionOf(float r);

/// One row's move drawn from the generator: -1 left, +1 right; nothing when
/// the draw gave any other decision (a faulty generator).
std::optional<int> rowStep(RandomSource &random);

/// The slot a final position lands in, kept within 1..31.
int16 landingSlot(float ballPosition);

/// Where a ball added to a slot's pile is drawn.
struct PileBall {
    double x;
    double y;
    double radius;
};

/// Adds a ball to the pile of a slot (counts it) and says where it is drawn;
/// h is the ball shape's height.
PileBall addToPile(RunState &run, int16 slot, double h);

/// The upper edge of a ball stacked on the baffle above a slot; counts it on
/// the baffle. baffleY is the height of the baffle line.
double addToBaffle(RunState &run, int16 slot, double h, double baffleY);

} // namespace kelvara
