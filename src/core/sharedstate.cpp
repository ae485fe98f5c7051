// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/sharedstate.h"

#include "core/numberformat.h"

namespace kelvara {

SharedState SharedState::initial()
{
    SharedState state;
    state.decimalSeparator = decimalSeparatorOf();
    state.factors = ControlFactors::load();
    state.scale = Scale{};
    state.formats = DisplayFormats::build(2);
    return state;
}

} // namespace kelvara
