// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The moving ball shapes (`qball`) and the trace-line segments (`traceLine`)
// on the board: element 0 of each is the template, the rest are loaded at run time.

#include "surface/overlay.h"

namespace kelvara {

class DrawingSurface;

class BallShapes {
public:
    /// Ball diameter in board units: between 0.8403 and 0.852 the baffle holds
    /// six balls per slot and a slot 63 below it.
    static constexpr double designHeight = 0.845;

    explicit BallShapes(DrawingSurface *board);

    ElementArray<OverlayShape> balls;
    ElementArray<OverlayLine> traces;

    /// Height of the template ball, the unit of every pile.
    double height() const;

    /// Removes every trace segment but the template.
    void clearTraceLines() { traces.unloadAll(); }
    /// Adds a segment joining the bottom centres of two ball positions
    /// (upper-left corners given).
    void addTraceSegment(double x1, double y1, double x2, double y2);
};

} // namespace kelvara
