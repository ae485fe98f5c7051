// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/speedbar.h"

#include <QKeyEvent>

namespace kelvara {

SpeedBar::SpeedBar(QWidget *parent) : QScrollBar(Qt::Horizontal, parent)
{
    setRange(1, 5);
    setPageStep(1);
    // Laid out right to left, the bar puts position 1 at the right and each
    // arrow at the end it points to, so a click moves the thumb its way. The
    // inverted-appearance flag would leave the arrows stepping the other way.
    setLayoutDirection(Qt::RightToLeft);
    // Its menu's "Left edge" would go to position 1, at the right.
    setContextMenuPolicy(Qt::PreventContextMenu);
}

void SpeedBar::keyPressEvent(QKeyEvent *event)
{
    // The arrow keys move the thumb the way they point, as the arrows do.
    if (event->key() == Qt::Key_Left || event->key() == Qt::Key_Right) {
        triggerAction(event->key() == Qt::Key_Left ? SliderSingleStepAdd : SliderSingleStepSub);
        return;
    }
    QScrollBar::keyPressEvent(event);
}

} // namespace kelvara
