// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Timed waits that keep the windows answering, the blocking of input while
// the demonstration plays, and the wait for a key at a caption.

#include <QObject>

#include <functional>

namespace kelvara {

/// Waits `seconds` times the test time scale on a steady clock while events
/// run: windows repaint, the window system is answered, timers fire. User
/// input that comes meanwhile acts when the wait is over (InputHold), except
/// while an InputBlocker lives: then the blocker takes it, and its Esc ends
/// the wait at once. A program that is quitting ends every wait.
void waitSeconds(double seconds);

/// While it lives, key presses, mouse clicks and wheel turns aimed at any
/// window of the program reach no control, keys bound to shortcuts included;
/// it notes whether one came and whether it was Esc, and an Esc ends the
/// timed waits going on. A held key's repeats are swallowed without counting.
/// Input to a modal dialog passes, so a message box can still be answered.
class InputBlocker : public QObject {
public:
    InputBlocker();
    ~InputBlocker() override;

    bool gotInput() const { return m_gotInput; }
    bool gotEscape() const { return m_gotEscape; }

    /// Whether any blocker lives, and whether one of them has taken an Esc.
    static bool anyBlocking();
    static bool anyGotEscape();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void noteKey(bool escape);

    bool m_gotInput = false;
    bool m_gotEscape = false;
};

enum class KeyWaitResult { Continue, Escape, Closing };

/// Waits at least `firstSeconds` (a timed wait), then until a key is pressed or
/// a mouse button clicked in any window of the program; input that came
/// during the first seconds counts. The input is swallowed, so it reaches no
/// control. Esc gives Escape, at once; `closing` is asked after every event,
/// so a window closing under the wait ends it.
KeyWaitResult waitForKey(const std::function<bool()> &closing, double firstSeconds = 0);

} // namespace kelvara
