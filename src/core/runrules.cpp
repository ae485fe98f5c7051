// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/runrules.h"

namespace kelvara {
namespace {

constexpr int sides[] = {+1, -1};

bool beyond(float point, double line, int side)
{
    return side > 0 ? double(point) > line : double(point) < line;
}

// Point i lies beyond the j-sigma line on `side`, and so do at least `needed`
// of the `window` points that end with it.
bool manyBeyond(const QList<float> &points, qsizetype i, const ChartLines &lines, int side, int j,
                int window, int needed)
{
    const double line = zoneLine(lines, side, j);
    if (i + 1 < window || !beyond(points[i], line, side))
        return false;
    int count = 0;
    for (qsizetype p = i - window + 1; p <= i; ++p)
        count += beyond(points[p], line, side) ? 1 : 0;
    return count >= needed;
}

// Point i ends a run of at least eight points on `side` of the centre line; a
// point on the line belongs to neither side and breaks the run.
bool longRun(const QList<float> &points, qsizetype i, const ChartLines &lines, int side)
{
    constexpr int runLength = 8;
    if (i + 1 < runLength)
        return false;
    for (qsizetype p = i - runLength + 1; p <= i; ++p)
        if (!beyond(points[p], double(lines.centre), side))
            return false;
    return true;
}

} // namespace

double zoneLine(const ChartLines &lines, int side, int j)
{
    const double centre = lines.centre;
    return side > 0 ? centre + j * (double(lines.upper) - centre) / 3.0
                    : centre - j * (centre - double(lines.lower)) / 3.0;
}

RuleSet meanChartRules(const QList<float> &points, qsizetype i, const ChartLines &lines)
{
    RuleSet rules = 0;
    if (beyond(points[i], lines.upper, +1) || beyond(points[i], lines.lower, -1))
        rules |= ruleBit(1);
    for (int side : sides) {
        if (manyBeyond(points, i, lines, side, 2, 3, 2))
            rules |= ruleBit(2);
        if (manyBeyond(points, i, lines, side, 1, 5, 4))
            rules |= ruleBit(3);
        if (longRun(points, i, lines, side))
            rules |= ruleBit(4);
    }
    return rules;
}

RuleSet rangeChartRules(float point, const ChartLines &lines)
{
    // No range lies below 0, so a lower limit of 0 flags nothing.
    const bool outside = beyond(point, lines.upper, +1) || beyond(point, lines.lower, -1);
    return outside ? ruleBit(1) : 0;
}

} // namespace kelvara
