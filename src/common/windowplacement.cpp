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

} // namespace

QPoint centredPosition(QSize window, QSize screen)
{
    const int top = toInt16(0.85 * screen.height()) / 2 - window.height() / 2;
    const int left = screen.width() / 2 - window.width() / 2;
    return {left, top};
}

void centreForm(QWidget *window)
{
    const QScreen *screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->geometry();
    window->move(area.topLeft() + centredPosition(window->frameGeometry().size(), area.size()));
}

void fitOnScreen(QWidget *window, QSize preferred)
{
    const QScreen *screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen) {
        window->resize(preferred);
        return;
    }
    const QRect area = screen->availableGeometry();
    const int frame = window->isVisible() ? window->frameGeometry().height() - window->height() : titleBarRoom;
    window->resize(preferred.boundedTo(QSize(area.width(), area.height() - panelRoom - frame)));
    const int left = std::max(0, (area.width() - window->width()) / 2);
    const int top = std::max(0, (area.height() - panelRoom - frame - window->height()) / 2);
    window->move(area.topLeft() + QPoint(left, top));
}

} // namespace kelvara
