// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The Western Electric run rules: which points of a control chart signal that
// the process has left the state its limits describe. The zones lie a third,
// two thirds and all of the way from the centre line to each limit (1, 2 and
// 3 sigma). "Beyond" a line is strictly beyond it.

#include <QList>

namespace kelvara {

/// The rules a point breaks: bit r - 1 stands for rule r (1 to 4).
using RuleSet = unsigned;
inline constexpr int ruleCount = 4;

constexpr RuleSet ruleBit(int rule)
{
    return 1u << (rule - 1);
}

/// The centre line and the control limits of one chart.
struct ChartLines {
    float centre = 0, upper = 0, lower = 0;
};

/// The line j sigma (j = 1, 2, 3) above the centre (side +1) or below it (-1).
double zoneLine(const ChartLines &lines, int side, int j);

/// Rules 1 to 4 for point i of an X-bar (or X) chart, judged from the points
/// up to it. A rule that counts over a window flags no point before the
/// window is whole: rule 2 the 3rd point first, rule 3 the 5th, rule 4 the 8th.
RuleSet meanChartRules(const QList<float> &points, qsizetype i, const ChartLines &lines);

/// Rule 1 for a point of an R (or MR) chart: above the upper limit, or below
/// the lower one (which a range can only be when that limit is above 0).
RuleSet rangeChartRules(float point, const ChartLines &lines);

} // namespace kelvara
