// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The 16-colour palette the pictures use: index 0..15 is black, navy, green,
// teal, maroon, purple, olive, silver, grey, blue, lime, cyan, red, magenta,
// yellow, white.

#include <QColor>

namespace kelvara {

/// Colour of palette index 0..15 (indexes outside wrap into the range).
QColor qbColor(int index);

} // namespace kelvara
