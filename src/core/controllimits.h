// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Centre lines and control limits: fixed once per run from the first k
// subgroups of the slot record, shown as label texts and fed to the chart bounds.

#include "core/chartbounds.h"
#include "core/controlfactors.h"
#include "core/displayformats.h"
#include "core/runstate.h"
#include "core/sharedstate.h"
#include "core/subgrouprecord.h"

#include <QLocale>
#include <QString>

namespace kelvara {

struct ControlLimits {
    float uclX = 0, lclX = 0, uclR = 0, lclR = 0;
};

/// Limits around grand mean x and mean range r for subgroup size n.
ControlLimits limitsFor(float x, float r, int n, const ControlFactors &factors);

struct LimitTexts {
    QString x; // "Mean X-Bar = ..." (or "X-Bar = ..." for n = 1)
    QString r; // "R-Bar = ..." (or "MR-Bar = ..." for n = 1)
};

LimitTexts limitTexts(float xBarBar, float rBar, const ControlLimits &limits, int n,
                      const DisplayFormats &formats, const QLocale &locale = QLocale());

/// Widens the chart bounds to take in the limits; the first limits fed
/// replace the start bounds, so that the charts zoom to them.
void takeInLimits(ChartBounds &bounds, const ControlLimits &limits, const Scale &scale);

/// Reads the first k rows of the slot record, fixes xBarBar and rBar and
/// returns the label texts.
LimitTexts fixControlLimits(RunState &run, const SharedState &shared, const SubgroupRecord &record, int n,
                            int k, const QLocale &locale = QLocale());

} // namespace kelvara
