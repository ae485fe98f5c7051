// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/windowplacement.h"

#include "core/numeric.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace kelvara {

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

} // namespace kelvara
