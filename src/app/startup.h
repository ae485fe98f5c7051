// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace kelvara {

/// Runs the start-up sequence: the screen check, the shared state, the main
/// window shown and first activated. False when the program must end.
bool startUp();

} // namespace kelvara
