// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Control-chart factors by subgroup size 1..15. Size 1 serves the individuals
// chart: its A2 is 3 / 1.128 for a moving range of two readings.

#include <array>

namespace kelvara {

struct ControlFactors {
    static constexpr int maxSubgroupSize = 15;
    // Index = subgroup size; index 0 is unused.
    std::array<float, maxSubgroupSize + 1> A2{}, D3{}, D4{}, d2{};

    /// The factor tables as the program uses them.
    static ControlFactors load();

    /// Clamps a subgroup size into the tables' range.
    static int indexFor(int subgroupSize);
};

} // namespace kelvara
