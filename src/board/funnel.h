// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The funnel the balls start from, the two buttons that move it one slot at a
// time, and the label that shows where the process is centred.

#include "core/runstate.h"
#include "core/sharedstate.h"

#include <QString>

class QLabel;
class QToolButton;

namespace kelvara {

class DrawingSurface;
class FittingLabel;
class OverlayImage;

class Funnel {
public:
    static constexpr double homeLeft = 47.5;
    static constexpr double top = 99.12;
    static constexpr double width = 7.81;
    static constexpr double height = 2.63;

    Funnel(DrawingSurface *board, RunState &run, const SharedState &shared);

    /// Back over slot 16 (the position is set by the caller).
    void putHome();
    /// Places the buttons in the board's upper corners.
    void placeButtons();
    void showProcessCenter();

    /// Stands where the run's funnel stands, and shows its process centre.
    void followRun();

    QToolButton *leftButton() const { return m_leftButton; }
    QToolButton *rightButton() const { return m_rightButton; }
    OverlayImage *image() const { return m_image; }
    FittingLabel *centreLabel() const { return m_centreLabel; }

private:
    DrawingSurface *m_board;
    RunState &m_run;
    const SharedState &m_shared;
    OverlayImage *m_image;
    QToolButton *m_leftButton;
    QToolButton *m_rightButton;
    QLabel *m_caption;
    FittingLabel *m_centreLabel;
};

} // namespace kelvara
