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

} // namespace kelvara
