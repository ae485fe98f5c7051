// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// State that several windows share: the scale, the chart bounds and paging,
// the subgroup counter, the factor tables and the display formats.

#include "core/chartbounds.h"
#include "core/controlfactors.h"
#include "core/displayformats.h"
#include "core/numeric.h"
#include "core/scale.h"

#include <QString>

namespace kelvara {

struct SharedState {
    Scale scale;
    ChartBounds bounds;
    DisplayFormats formats;
    ControlFactors factors;
    QString decimalSeparator = QStringLiteral(".");
    int16 subgroupCount = 0;       // subgroups dropped since the last reset
    int16 chartFirstSubgroup = 0;  // first subgroup of the control-chart page
    float xChartBase = 0.0f;       // lowest gridline of the X-bar chart

    /// The state every start of the program begins from.
    static SharedState initial();
};

} // namespace kelvara
