// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Pictures drawn by the program for the board: the funnel and the icons of
// the funnel and baffle buttons, and the funnel experiment's target mark.

#include <QIcon>
#include <QImage>

namespace kelvara {

/// The funnel: a black-outlined box of red balls on cyan with a V-shaped
/// inlet at its top right and its outlet open along the bottom left. Drawn on
/// a 50 x 15 design grid, `scale` pixels per grid unit.
QImage funnelImage(int scale = 6);

/// The mark of the funnel experiment's target: a red triangle pointing down,
/// outlined in black, on a 10 x 8 design grid.
QImage targetMarkImage(int scale = 6);

enum class ArrowDirection { Left, Right };
QIcon funnelButtonIcon(ArrowDirection direction);
QIcon baffleHandleIcon();

} // namespace kelvara
