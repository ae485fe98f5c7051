// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where a window opens on the screen.

#include <QPoint>
#include <QSize>

class QWidget;

namespace kelvara {

/// Centres a window across the screen with its middle at 42.5 % of the
/// screen's height.
void centreForm(QWidget *window);

/// The position centreForm gives a window of that size on that screen.
QPoint centredPosition(QSize window, QSize screen);

/// Gives a window the preferred size as far as the screen's free area allows
/// and places it wholly within that area, centred, or at its left edge when
/// wider: its frame, a title bar included, stays 40 pixels lower than the
/// area, which leaves room for a panel the area may not account for.
void fitOnScreen(QWidget *window, QSize preferred);

/// Moves a window that has grown past the screen's free area back within
/// it, as far as its size allows, as fitOnScreen would have placed it.
void keepOnScreen(QWidget *window);

/// The largest size fitOnScreen gives the window; an empty size without a screen.
QSize roomOnScreen(const QWidget *window);

} // namespace kelvara
