// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// State that several windows share: the scale, the factor tables, the display
// formats and the user's decimal separator.

#include "core/controlfactors.h"
#include "core/displayformats.h"
#include "core/scale.h"

#include <QString>

namespace kelvara {

struct SharedState {
    Scale scale;
    DisplayFormats formats;
    ControlFactors factors;
    QString decimalSeparator = QStringLiteral(".");

    /// The state every start of the program begins from.
    static SharedState initial();
};

} // namespace kelvara
