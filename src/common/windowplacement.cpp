// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/windowplacement.h"

#include "core/numeric.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace kelvara {
namespace {

constexpr int panelRoom = 40;
// A window not yet shown has no frame to measure: room for a title bar.
constexpr int titleBarRoom = 32;

const QScreen *screenOf(const QWidget *window)
{
    return window->screen() ? window->screen() : QGuiApplication::primaryScreen();
}

} // namespace

QPoint centredPosition(QSize window, QSize screen)
{
    const int top = toInt16(0.85 * screen.height()) / 2 - window.height() / 2;
    const int left = screen.width() / 2 - window.width() / 2;
    return {left, top};
}

void centreForm(QWidget *window)
{
    const QScreen *screen = screenOf(window);
    if (!screen)
        return;
    const QRect area = screen->geometry();
    window->move(area.topLeft() + centredPosition(window->frameGeometry().size(), area.size()));
}

QSize roomOnScreen(const QWidget *window)
{
    const QScreen *screen = screenOf(window);
    if (!screen)
        return {};
    const int frame = window->isVisible() ? window->frameGeometry().height() - window->height() : titleBarRoom;
    return screen->availableGeometry().size() - QSize(0, panelRoom + frame);
}

void fitOnScreen(QWidget *window, QSize preferred)
{
    const QSize room = roomOnScreen(window);
    if (room.isEmpty()) {
        window->resize(preferred);
        return;
    }
    window->resize(preferred.boundedTo(room));
    const int left = std::max(0, (room.width() - window->width()) / 2);
    const int top = std::max(0, (room.height() - window->height()) / 2);
    window->move(screenOf(window)->availableGeometry().topLeft() + QPoint(left, top));
}

void keepOnScreen(QWidget *window)
{
    const QSize room = roomOnScreen(window);
    if (room.isEmpty())
        return;
    const QPoint origin = screenOf(window)->availableGeometry().topLeft();
    // The room's height leaves out the title bar already; its width has the
    // frame's borders in it.
    const int right = room.width() - window->frameGeometry().width();
    const QPoint farthest = origin + QPoint(right, room.height() - window->height());
    const QPoint inside(std::max(origin.x(), std::min(window->x(), farthest.x())),
                        std::max(origin.y(), std::min(window->y(), farthest.y())));
    if (inside != window->pos())
        window->move(inside);
}

} // namespace kelvara
