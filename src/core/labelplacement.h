// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where a short label goes beside a point of a chart: just above or just
// below it, on whichever side it stays clear of the chart's horizontal lines
// and inside the chart, so that no line runs through its text.

#include <vector>

namespace kelvara {

/// What a label beside a point has to keep clear of, in chart values.
struct LabelRoom {
    std::vector<double> lines; // horizontal lines: limits, centre, axis
    double lowest = 0.0;       // the label stays at or above this value
    double highest = 1.0;      // and at or below this one
    double lineClearance = 0.0; // free space between a line and the text
};

/// The top of a label `height` high beside a point at `y`, `gap` away from
/// it: above the point when that side is clear, below it when only that side
/// is, past the nearest lines when neither is; the nearer of the clear
/// places wins. With no clear place it stays just above the point, or just
/// below it when above would leave the chart.
double labelTopBeside(double y, double gap, double height, const LabelRoom &room);

} // namespace kelvara
