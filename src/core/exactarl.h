// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How long, on average, an X-bar (or X) chart with the limits theory gives
// takes to signal by rule 1 once the funnel stands `shift` slots from the
// centre: the exact average run length 1 / p, p being the chance that one
// subgroup's average lies strictly beyond a limit. p is a finite sum over the
// balls' binomial paths, taken over the averages as the program shows them.

#include "core/displayformats.h"
#include "core/runrules.h"
#include "core/scale.h"

#include <optional>

namespace kelvara {

/// Theory's X-bar chart lines for `rows` rows and subgroups of n, in the
/// measurement units of `scale`: the process centre (slot 16, or 15.5 for an
/// odd number of rows) and three standard deviations of an average either
/// side, sigma^2 = rows / 4 slots^2 for one reading.
ChartLines theoryLimits(int rows, int subgroupSize, const Scale &scale);

class ExactArl {
public:
    /// For `rows` offset rows, subgroups of n balls from a funnel that starts
    /// over slot 16, in the measurement units of `scale` shown with `formats`.
    ExactArl(int rows, int subgroupSize, const Scale &scale, const DisplayFormats &formats);

    /// The lines the averages are judged against: theoryLimits().
    const ChartLines &limits() const { return m_limits; }

    /// The chance that a subgroup dropped with the funnel `shift` slots off
    /// the centre shows an average strictly beyond a limit.
    double signalChance(int shift) const;

    /// Subgroups from the shift to the first signal, on average (the first
    /// subgroup after the shift counts 1); nothing when no average can cross
    /// a limit.
    std::optional<double> averageRunLength(int shift) const;

private:
    bool averageSignals(long long readingSum) const;

    int m_rows;
    int m_n;
    Scale m_scale;
    DisplayFormats m_formats;
    ChartLines m_limits;
};

} // namespace kelvara
