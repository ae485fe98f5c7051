// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/scale.h"

#include "core/numeric.h"

namespace kelvara {

float Scale::low() const
{
    return toSingle(double(center) - double(halfWidth));
}

float Scale::high() const
{
    return toSingle(double(center) + double(halfWidth));
}

double Scale::valuePerSlot() const
{
    return 2.0 * double(halfWidth) / 30.0;
}

float Scale::scaleValue(float slot) const
{
    if (slot == 0.0f)
        return 0.0f;
    return valueOf(slot);
}

float Scale::valueOf(double slot) const
{
    return toSingle(valuePerSlot() * (slot - 1.0) + (double(center) - double(halfWidth)));
}

} // namespace kelvara
