// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The bar heights and labels of the two histograms over the 31 slots: every
// ball of the run by the slot it rests at, and every subgroup by the slot its
// average rounds to.

#include "core/numeric.h"
#include "core/runstate.h"

#include <QLocale>
#include <QStringList>

#include <array>
#include <vector>

namespace kelvara {

class SubgroupRecord;
struct Scale;

/// One count per slot, slot i at index i - 1; wider than a board's counts,
/// since a comparison of the funnel rules lands up to 100,000 balls.
using SlotCounts = std::array<int, slotTotal>;

/// Every ball at rest at each slot, in the slot's pile or held on the baffle above it.
SlotCounts individualCounts(const RunState &run);

/// How many of the landings are in each slot; slots outside 1..31 are not counted.
SlotCounts landingCounts(const std::vector<int16> &landings);

/// The bar a subgroup average counts in: the slot it rounds to, halves to even.
int16 averageBin(float average);

/// The subgroups 1..subgroupCount whose slot average, rounded halves to
/// even, is each slot. Averages off the board are not counted.
SlotCounts averageCounts(const SubgroupRecord &record, int subgroupCount);

/// The measurement value of each slot in a display format: the bars' labels.
QStringList slotLabels(const Scale &scale, const QString &format, const QLocale &locale = QLocale());

/// A count axis from 0 with whole-number ticks every `step` up to `top`.
struct CountAxis {
    int top;
    int step;
};

/// The axis for counts up to `highest`: at most six steps of 1, 2 or 5 times
/// a power of ten, the top at or above the highest count.
CountAxis countAxisFor(int highest);

} // namespace kelvara
