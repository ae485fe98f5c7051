// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/testing.h"

#include "common/shared.h"

namespace kelvara::testing {

void setTimeScale(double factor)
{
    kelvara::setTimeScale(factor);
}

void seedRandom(std::uint32_t seed)
{
    seedRandomSource(seed);
}

} // namespace kelvara::testing
