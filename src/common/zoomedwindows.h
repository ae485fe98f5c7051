// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's windows through a step of the zoom: each stays wholly on its
// screen, and a window left as the zoom made it goes back to the place and
// size it had when the zoom returns to an earlier step.

namespace kelvara::zoom {

/// Notes where each window stands before the zoom leaves `percent`.
void noteWindowsBefore(int percent);

/// Once the zoom is at `percent` and the windows have taken its text: each
/// window where it stood at that zoom before, if the user has not moved it
/// since, and within its screen.
void placeWindowsAt(int percent);

} // namespace kelvara::zoom
