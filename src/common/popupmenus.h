// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How a chart's popup menu is asked for: by the right mouse button, released
// over the chart, or from the keyboard, by the context-menu request the Menu
// key sends to the focused widget or by Shift+F10.

#include <QPoint>

#include <optional>

class QEvent;
class QWidget;

namespace kelvara::popupmenus {

/// Where the menu of `chart` opens for `event` (global), or nothing when the
/// event asks for no menu. A right click's own context-menu request asks for
/// none: its release opens the menu, once.
std::optional<QPoint> requestedAt(const QWidget &chart, const QEvent &event);

} // namespace kelvara::popupmenus
