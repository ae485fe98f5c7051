// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Process capability Cp and Cpk against the specification limits, from the
// spread the control limits rest on (sigma = R-bar / d2).

#include "core/displayformats.h"

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
};

struct CapabilityView {
    bool visible = false; // the titles and values are shown
    QString cp;
    QString cpk;
};

/// What the four capability labels show. A zero spread, for which the indices
/// are undefined, shows "NA".
CapabilityView capabilityView(const CapabilityInput &input, const QLocale &locale = QLocale());

} // namespace kelvara
