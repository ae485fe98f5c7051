// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/popupmenus.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>

namespace kelvara::popupmenus {

std::optional<QPoint> requestedAt(const QWidget &chart, const QEvent &event)
{
    switch (event.type()) {
    case QEvent::MouseButtonRelease: {
        const auto &mouse = static_cast<const QMouseEvent &>(event);
        if (mouse.button() == Qt::RightButton)
            return mouse.globalPosition().toPoint();
        break;
    }
    case QEvent::ContextMenu: {
        const auto &request = static_cast<const QContextMenuEvent &>(event);
        if (request.reason() == QContextMenuEvent::Keyboard)
            return request.globalPos();
        break;
    }
    case QEvent::KeyPress: {
        // Not every platform turns Shift+F10 into a context-menu request; X11 does not.
        const auto &key = static_cast<const QKeyEvent &>(event);
        if (key.key() == Qt::Key_F10 && key.modifiers() == Qt::ShiftModifier)
            return chart.mapToGlobal(chart.rect().center());
        break;
    }
    default:
        break;
    }
    return std::nullopt;
}

} // namespace kelvara::popupmenus
