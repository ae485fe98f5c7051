// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The self-running demonstration: caption panels explaining the board, and
// between them a script that the main window carries out through the
// operations it offers. It owns the caption panel `teachpanel` and the
// caption pictures `Image1` on the main window.

#include "core/demoscript.h"

#include <QString>

#include <memory>
#include <vector>

class QLabel;

namespace kelvara {

class InputBlocker;
class QuincunxForm;

class Demonstration {
public:
    /// Puts the hidden caption panel and the caption pictures on the window.
    explicit Demonstration(QuincunxForm &mainWindow);
    ~Demonstration();

    /// The demonstration button's click: with subgroups on the board it first
    /// asks whether it may clear them; then plays the script to its end or to an Esc.
    void start();

    /// "The demonstration will clear the 36 subgroups on the board. Start it?"
    static QString clearingQuestion(int subgroups);

    /// Plays the script when `play` is true; does nothing while it already plays.
    void runDemo(bool play);

    /// Whether the user has pressed Esc while the script plays: what it does
    /// now must end at once.
    bool escaped() const;

private:
    /// True when the board holds no subgroups or the user agrees to clear them.
    bool mayClearRun();
    void renderCaptions();
    void prepare();
    void perform(const DemoStep &step);
    /// Shows a caption and waits for the user's key.
    void showCaption(int index);
    /// What Esc leaves: no caption, a reset run, the control panel usable.
    void handBack();
    void placePanel();
    void takeDownPanel();
    void placeChartsWindow();

    QuincunxForm &m_main;
    QLabel *m_teachpanel;
    std::vector<QLabel *> m_pictures; // Image1(0) to Image1(13)
    // Lives while the script plays: between captions the user's input reaches no control.
    std::unique_ptr<InputBlocker> m_userWatches;
    bool m_escapedAtCaption = false;
    double m_captionScale = 1.0; // the size the caption pictures were drawn at
};

} // namespace kelvara
