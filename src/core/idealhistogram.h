// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What theory expects of the two histograms for exactly the balls of the run.
// A ball that crosses R rows lands j slots right of its leftmost reach with
// chance C(R, j) / 2^R; a subgroup's sum follows the convolution of its balls'
// own laws, and its average is binned as the averages histogram bins it.

#include "core/runstate.h"
#include "core/samplespread.h"

#include <QLocale>
#include <QString>

#include <array>
#include <vector>

namespace kelvara {

/// An expected count per slot, slot i at index i - 1.
using ExpectedCounts = std::array<double, slotTotal>;

/// A histogram's ideal: the expected height of every bar, and the mean and
/// standard deviation of the values the histogram bins, in slot units.
struct IdealHistogram {
    ExpectedCounts counts{};
    double mean = 0.0;
    double deviation = 0.0;
};

/// The chance of each slot for one ball dropped from `origin`.
ExpectedCounts slotChances(const BallOrigin &origin);

/// The individuals histogram's ideal: every ball's slot chances added up.
IdealHistogram idealIndividuals(const std::vector<BallOrigin> &balls);

/// The averages histogram's ideal for the first `subgroupCount` subgroups of
/// n consecutive balls: each subgroup adds the chance that its average falls
/// in each bar. The mean and deviation are those of the exact averages.
IdealHistogram idealAverages(const std::vector<BallOrigin> &balls, int n, int subgroupCount);

/// The bar an average of n readings summing to `sum` is counted in: the
/// average as the slot table keeps it, rounded halves to even.
int averageBar(int sum, int n);

struct Scale;

/// The line below a histogram that shows its ideal: the mean and standard
/// deviation of what was dropped beside theory's, in measurement units, with
/// two decimals. A deviation of fewer than two values reads "NA".
QString idealComparison(const SampleSpread &observed, const IdealHistogram &ideal, const Scale &scale,
                        const QLocale &locale = QLocale());

} // namespace kelvara
