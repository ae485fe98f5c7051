// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The value frames of the two control charts: the range the chart bounds
// give, widened a little, with its highest and lowest gridlines rounded to
// whole units (tenths below 1) so the labels read well, and room above and
// below for the labels and the subgroup numbers.

namespace kelvara {

/// A range of values from top down to bottom.
struct ValueRange {
    float top = 1.0f;
    float bottom = 0.0f;
};

struct ChartFrame {
    float top = 1.0f;     // value at the picture's upper edge
    float bottom = 0.0f;  // value at the picture's lower edge
    float highest = 1.0f; // highest gridline
    float base = 0.0f;    // lowest gridline, where the x axis lies

    /// The value of gridline i (0 = base .. 4 = highest).
    double gridline(int i) const;
};

/// The upper chart's range before rounding: 5 % of the bounds' spread beyond
/// each bound, or 5 % of the value itself when both bounds are equal.
ValueRange provisionalXRange(float maxX, float minX);

/// `textFraction` is the height of a line of text as a fraction of the
/// picture's height; it sets the margins.
ChartFrame xBarChartFrame(float maxX, float minX, double textFraction);

/// The lower chart's frame, always based at 0.
ChartFrame rangeChartFrame(float maxR, double textFraction);

} // namespace kelvara
