// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Timed waits and the blocking of input while the demonstration waits: a
// pause that lets no event run, and the wait for a key at a caption.

#include <QObject>

#include <functional>

namespace kelvara {

/// Blocks for `seconds` times the test time scale without letting events run.
void waitSeconds(double seconds);

/// While it lives, key presses, mouse clicks and wheel turns aimed at any
/// window of the program reach no control, keys bound to shortcuts included;
/// it notes whether one came and whether it was Esc. A held key's repeats are swallowed without counting.
/// Input to a modal dialog passes, so a message box can still be answered.
class InputBlocker : public QObject {
public:
    InputBlocker();
    ~InputBlocker() override;

    bool gotInput() const { return m_gotInput; }
    bool gotEscape() const { return m_gotEscape; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool m_gotInput = false;
    bool m_gotEscape = false;
};

enum class KeyWaitResult { Continue, Escape, Closing };

/// Waits until a key is pressed or a mouse button clicked in any window of the
/// program. The input is swallowed, so it reaches no control. Esc gives
/// Escape; `closing` is asked after every event, so a window closing under the
/// wait ends it.
KeyWaitResult waitForKey(const std::function<bool()> &closing);

} // namespace kelvara
