// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/labelplacement.h"

#include <optional>

namespace kelvara {
namespace {

// The highest (or lowest) of the lines that run through the text from
// `bottom` to `top`, or come nearer to it than the clearance, among those
// above (below) `passed`: the lines already stepped over.
std::optional<double> lineThrough(double bottom, double top, const LabelRoom &room, bool upwards,
                                  std::optional<double> passed)
{
    std::optional<double> found;
    for (const double line : room.lines) {
        const bool ahead = !passed || (upwards ? line > *passed : line < *passed);
        if (ahead && line > bottom - room.lineClearance && line < top + room.lineClearance
            && (!found || (upwards ? line > *found : line < *found)))
            found = line;
    }
    return found;
}

// The bottom of the first clear place upwards from `bottom`, if the chart has
// one. Each step passes one more line, so the search ends.
std::optional<double> clearBottomUpwards(double bottom, double height, const LabelRoom &room)
{
    std::optional<double> passed;
    while (bottom + height <= room.highest) {
        passed = lineThrough(bottom, bottom + height, room, true, passed);
        if (!passed)
            return bottom;
        bottom = *passed + room.lineClearance;
    }
    return std::nullopt;
}

// The top of the first clear place downwards from `top`, if the chart has one.
std::optional<double> clearTopDownwards(double top, double height, const LabelRoom &room)
{
    std::optional<double> passed;
    while (top - height >= room.lowest) {
        passed = lineThrough(top - height, top, room, false, passed);
        if (!passed)
            return top;
        top = *passed - room.lineClearance;
    }
    return std::nullopt;
}

} // namespace

double labelTopBeside(double y, double gap, double height, const LabelRoom &room)
{
    const double aboveBottom = y + gap;
    const double belowTop = y - gap;
    const std::optional<double> above = clearBottomUpwards(aboveBottom, height, room);
    const std::optional<double> below = clearTopDownwards(belowTop, height, room);
    if (above && (!below || *above - aboveBottom <= belowTop - *below))
        return *above + height;
    if (below)
        return *below;
    return aboveBottom + height <= room.highest ? aboveBottom + height : belowTop;
}

} // namespace kelvara
