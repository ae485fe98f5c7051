// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/controlfactors.h"

#include <algorithm>

namespace kelvara {

ControlFactors ControlFactors::load()
{
    struct Row { float A2, D3, D4, d2; };
    static constexpr Row rows[maxSubgroupSize] = {
        {2.66f, 0.0f, 3.268f, 1.128f},    {1.88f, 0.0f, 3.268f, 1.128f},
        {1.023f, 0.0f, 2.574f, 1.693f},   {0.729f, 0.0f, 2.282f, 2.059f},
        {0.577f, 0.0f, 2.114f, 2.326f},   {0.483f, 0.0f, 2.004f, 2.534f},
        {0.419f, 0.076f, 1.924f, 2.704f}, {0.373f, 0.136f, 1.864f, 2.847f},
        {0.337f, 0.184f, 1.816f, 2.97f},  {0.308f, 0.223f, 1.777f, 3.078f},
        {0.285f, 0.256f, 1.744f, 3.173f}, {0.266f, 0.283f, 1.717f, 3.258f},
        {0.249f, 0.307f, 1.693f, 3.336f}, {0.235f, 0.328f, 1.672f, 3.407f},
        {0.223f, 0.347f, 1.653f, 3.472f},
    };
    ControlFactors factors;
    for (int n = 1; n <= maxSubgroupSize; ++n) {
        const Row &row = rows[n - 1];
        factors.A2[n] = row.A2;
        factors.D3[n] = row.D3;
        factors.D4[n] = row.D4;
        factors.d2[n] = row.d2;
    }
    return factors;
}

int ControlFactors::indexFor(int subgroupSize)
{
    return std::clamp(subgroupSize, 1, maxSubgroupSize);
}

} // namespace kelvara
