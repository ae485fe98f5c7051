// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The baffle across the slots at the height of 65 balls: while shown, balls
// stay on it above their slots; emptying it adds them to the piles.

#include "core/runstate.h"

#include <QString>

class QToolButton;

namespace kelvara {

class BallShapes;
class DrawingSurface;
class OverlayLine;

class Baffle {
public:
    static constexpr double left = 6.25;
    static constexpr double right = 93.75;
    static constexpr double handleWidth = 4.53;
    static constexpr double handleHeight = 5.09;

    Baffle(DrawingSurface *board, RunState &run, BallShapes &shapes);

    /// Puts the line at 65 balls above the floor and centres the handle on it.
    void place(double ballHeight);
    double y() const;
    void setShown(bool shown);

    /// Moves every ball on the baffle into the pile of its slot, in the order they landed.
    void release();
    /// The handle's click: the line turns dotted, a short pause, the balls fall.
    void empty();
    /// Lets the balls fall while the line shows dotted, without a pause.
    void drain();
    /// Hiding the baffle lets its balls fall first.
    void hide();

    OverlayLine *line() const { return m_line; }
    QToolButton *handle() const { return m_handle; }

private:
    void setDotted(bool dotted);

    DrawingSurface *m_board;
    RunState &m_run;
    BallShapes &m_shapes;
    OverlayLine *m_line;
    QToolButton *m_handle;
};

} // namespace kelvara
