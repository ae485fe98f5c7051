// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Process capability Cp and Cpk against the specification limits, from the
// spread the control limits rest on (sigma = R-bar / d2), and the overall
// performance Pp and Ppk from the spread of every reading of the run.

#include "core/displayformats.h"
#include "core/samplespread.h"

#include <QLocale>
#include <QString>

namespace kelvara {

struct CapabilityInput {
    int subgroupCount = 0;
    int k = 20;
    int n = 5;
    bool showSpecLimits = false;
    bool processUnchanged = true;
    float xBarBar = 0, rBar = 0, d2 = 1, usl = 0, lsl = 0;
    SampleSpread readings = {}; // every reading of the run so far, in measurement units
};

struct CapabilityView {
    bool visible = false; // the titles and values are shown
    QString cp;
    QString cpk;
    QString pp;
    QString ppk;
    bool operator==(const CapabilityView &) const = default;
};

/// What the capability labels show. A zero spread, for which the indices are
/// undefined, shows "NA". Pp and Ppk describe what was made, so unlike Cp and
/// Cpk they stay computed after the process changed.
CapabilityView capabilityView(const CapabilityInput &input, const QLocale &locale = QLocale());

} // namespace kelvara
