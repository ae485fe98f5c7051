// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/shared.h"

#include <chrono>

namespace kelvara {
namespace {

double g_timeScale = 1.0;

TwisterSource &generator()
{
    static TwisterSource source(static_cast<std::uint32_t>(
        std::chrono::high_resolution_clock::now().time_since_epoch().count()));
    return source;
}

} // namespace

RandomSource &randomSource()
{
    return generator();
}

void seedRandomSource(std::uint32_t seed)
{
    generator().seed(seed);
}

double timeScale()
{
    return g_timeScale;
}

void setTimeScale(double factor)
{
    g_timeScale = factor < 0 ? 0 : factor;
}

} // namespace kelvara
