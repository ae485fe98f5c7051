// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/chartframe.h"

#include "core/numeric.h"

#include <algorithm>
#include <cmath>

namespace kelvara {
namespace {

// The next tenth above a value between -1 and 1.
double nextTenthUp(double value)
{
    return std::floor(10.0 * value + 1.0) / 10.0;
}

// The tenth at or below a value between -1 and 1.
double tenthDown(double value)
{
    return std::floor(10.0 * value) / 10.0;
}

// A range without height has no text height of its own; the labels then
// take their room from the rounded frame, so they still fit on the picture.
double marginFor(double textHeight, double highest, double base, double textFraction)
{
    return textHeight > 0.0 ? textHeight : textFraction * (highest - base);
}

} // namespace

double ChartFrame::gridline(int i) const
{
    return double(base) + (double(highest) - double(base)) * i / 4.0;
}

ValueRange provisionalXRange(float maxX, float minX)
{
    const float high = std::max(maxX, minX);
    const float low = std::min(maxX, minX);
    if (high == low) {
        // 5 % of the value either way; below zero the factors swap, or the
        // top would lie under the bottom.
        const bool negative = high < 0.0f;
        return {toSingle(double(high) * (negative ? 0.95 : 1.05)),
                toSingle(double(low) * (negative ? 1.05 : 0.95))};
    }
    const double margin = 0.05 * (double(high) - double(low));
    return {toSingle(double(high) + margin), toSingle(double(low) - margin)};
}

ChartFrame xBarChartFrame(float maxX, float minX, double textFraction)
{
    const ValueRange range = provisionalXRange(maxX, minX);
    const double h = textFraction * (double(range.top) - double(range.bottom));
    const double top = double(range.top) + h;
    const double bottom = double(range.bottom) - h;
    // In whole units the top gets one more text height: room for the highest label.
    const double highest = std::abs(top) >= 1.0 ? std::floor(top + h + 1.0) : nextTenthUp(top);
    const double base = std::abs(bottom) >= 1.0 ? std::floor(bottom) : tenthDown(bottom);
    const double margin = marginFor(h, highest, base, textFraction);
    return {toSingle(highest + margin), toSingle(base - 2.0 * margin), toSingle(highest), toSingle(base)};
}

ChartFrame rangeChartFrame(float maxR, double textFraction)
{
    const double provisionalTop = double(maxR) * 1.05;
    const double h = textFraction * std::abs(provisionalTop);
    const double top = provisionalTop + h;
    const double highest = top <= 0.0 || top >= 1.0 ? std::floor(top + 1.0) : nextTenthUp(top);
    const double margin = marginFor(h, highest, 0.0, textFraction);
    return {toSingle(highest + margin), toSingle(-3.0 * margin), toSingle(highest), 0.0f};
}

} // namespace kelvara
