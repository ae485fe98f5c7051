// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The quincunx on its picture: 21 pin rows, 31 slots with their piles, the
// measurement and ball-count scales, the specification-limit lines, and the
// funnel, baffle and balls on top. Board units run from (0, 0) at the lower
// left to (100, 100) at the upper right.

#include "board/baffle.h"
#include "board/balldropper.h"
#include "board/ballshapes.h"
#include "board/funnel.h"
#include "board/funnelrules.h"
#include "core/quincunxrun.h"
#include "core/runstate.h"
#include "core/sharedstate.h"

#include <functional>

class QLabel;

namespace kelvara {

class DrawingSurface;
class OverlayLine;

class QuincunxBoard {
public:
    static constexpr double specLineTop = 57.99;

    explicit QuincunxBoard(DrawingSurface *picture, QuincunxRun &run);

    /// Who clears what shows of the run before a full drawing of the board,
    /// which starts a new run.
    void setNewRunHandler(std::function<void()> handler) { m_newRun = std::move(handler); }

    /// Sets the board's coordinate system and sizes the ball (first showing).
    void setUp();
    /// Draws the board for a new run (resets the run first). Every drawing
    /// of the board ends the funnel experiment.
    void drawQuincunx(int16 pinLevels);
    /// Draws the board again with the current piles; the run's data stay.
    void redrawQuincunx(int16 pinLevels);
    void drawCountScale(double x);
    /// Draws the board for the shared state's new scale and specification
    /// limits: for a new run after a new half-width, else with the piles kept.
    void scaleQuincunx(bool newRun, int16 pinLevels);
    /// The offset rows changed: the baffle empties, the board is redrawn, the trace goes.
    void changeRows(int16 pinLevels);

    DrawingSurface *picture() const { return m_picture; }
    Funnel &funnel() { return m_funnel; }
    FunnelRules &funnelRules() { return m_funnelRules; }
    Baffle &baffle() { return m_baffle; }
    BallShapes &shapes() { return m_shapes; }
    BallDropper &dropper() { return m_dropper; }
    double slotOrigin() const { return m_slotOrigin; }

private:
    void draw(int16 pinLevels, bool keepPiles);
    void drawPins(int pinsPerRow);
    void drawSlots();
    void drawMeasurementScale();
    void placeSpecLines(bool redraw);
    void placeSpecLine(OverlayLine *line, QLabel *label, float limit, bool redraw);
    void drawPiles();

    DrawingSurface *m_picture;
    QuincunxRun &m_quincunx;
    RunState &m_run;
    const SharedState &m_shared;
    std::function<void()> m_newRun;
    BallShapes m_shapes;
    Funnel m_funnel;
    FunnelRules m_funnelRules;
    Baffle m_baffle;
    BallDropper m_dropper;
    OverlayLine *m_usl;
    OverlayLine *m_lsl;
    QLabel *m_uslLabel;
    QLabel *m_lslLabel;
    double m_slotOrigin = 10.0;
};

} // namespace kelvara
