// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Generators that make a ball's decisions known in advance, and the end of a
// path walked with them: for tests that follow the core's path rule without
// a board.

#include "core/ballpath.h"

#include <cstdint>
#include <vector>

namespace pathsources {

/// Turns the bits of a number into row decisions, lowest bit first.
class PathBits : public kelvara::RandomSource {
public:
    explicit PathBits(std::uint32_t bits) : m_bits(bits) {}
    float nextUniform() override { return (m_bits >> m_row++) & 1u ? 0.75f : 0.25f; }

private:
    std::uint32_t m_bits;
    int m_row = 0;
};

/// Replays a fixed list of draws, over and over.
class ScriptedSource : public kelvara::RandomSource {
public:
    explicit ScriptedSource(std::vector<float> draws) : m_draws(std::move(draws)) {}
    float nextUniform() override { return m_draws[m_next++ % m_draws.size()]; }

private:
    std::vector<float> m_draws;
    std::size_t m_next = 0;
};

/// The slot position a ball from the funnel reaches through `rows` pin rows.
inline float walkedEnd(float funnelPosition, int rows, kelvara::RandomSource &random)
{
    kelvara::PathStepper path(funnelPosition, kelvara::toInt16(rows + 1));
    path.walk(random);
    return path.position();
}

} // namespace pathsources
