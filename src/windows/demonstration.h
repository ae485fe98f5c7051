// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The self-running demonstration: caption panels explaining the board, and
// between them a script that the main window carries out through the
// operations it offers. It owns the caption panel `teachpanel` and the
// caption pictures `Image1` on the main window.

#include "core/demoscript.h"

#include <QString>

#include <vector>

class QLabel;

namespace kelvara {

class QuincunxForm;

class Demonstration {
public:
    /// Puts the hidden caption panel and the caption pictures on the window.
    explicit Demonstration(QuincunxForm &mainWindow);

    /// The demonstration button's click: with subgroups on the board it first
    /// asks whether it may clear them; then plays the script to its end or to an Esc.
    void start();

    /// "The demonstration will clear the 36 subgroups on the board. Start it?"
    static QString clearingQuestion(int subgroups);

    /// Plays the script when `play` is true; does nothing while it already plays.
    void runDemo(bool play);

private:
    /// True when the board holds no subgroups or the user agrees to clear them.
    bool mayClearRun();
    void renderCaptions();
    void prepare();
    /// Carries out one step; false when the script must end there.
    bool perform(const DemoStep &step);
    /// Shows a caption and waits for the user; false when the script must end.
    bool showCaption(int index);
    void placePanel();
    void takeDownPanel();
    void placeChartsWindow();
    /// Waits, with whatever the last steps drew on screen first.
    void pause(double seconds);
    void showPendingDrawing();

    QuincunxForm &m_main;
    QLabel *m_teachpanel;
    std::vector<QLabel *> m_pictures; // Image1(0) to Image1(13)
    bool m_playing = false;
    double m_captionScale = 1.0; // the size the caption pictures were drawn at
};

} // namespace kelvara
