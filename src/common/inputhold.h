// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Keeps the user's input from acting while a timed wait lets events run, and
// hands it back in its order when the wait is over.

namespace kelvara {

/// While one lives, user input to any object of the program is kept instead of
/// handled: keys and shortcuts, mouse buttons and drags, wheel, touch, tablet,
/// context-menu requests and the window system's request to close a window.
/// When the last one ends, the kept input is posted back to its receivers that
/// still exist, in the order it came, so it acts the next time the program lets
/// events run. Repaints, the window system and timers go on meanwhile.
class InputHold {
public:
    InputHold();
    ~InputHold();
    InputHold(const InputHold &) = delete;
    InputHold &operator=(const InputHold &) = delete;
};

} // namespace kelvara
