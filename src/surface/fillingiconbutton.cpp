// SPDX-License-Identifier: GPL-3.0-or-later
#include "surface/fillingiconbutton.h"

#include <QResizeEvent>

#include <algorithm>

namespace kelvara {
namespace {

constexpr int border = 2; // room for the button's own frame when the pointer is over it

} // namespace

FillingIconButton::FillingIconButton(QWidget *parent) : QToolButton(parent)
{
    setAutoRaise(true);
}

void FillingIconButton::resizeEvent(QResizeEvent *event)
{
    const int side = std::max(1, std::min(event->size().width(), event->size().height()) - 2 * border);
    setIconSize(QSize(side, side));
    QToolButton::resizeEvent(event);
}

} // namespace kelvara
