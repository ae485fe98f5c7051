// SPDX-License-Identifier: GPL-3.0-or-later
#include "surface/squarecontainer.h"

#include <QResizeEvent>

namespace kelvara {

SquareContainer::SquareContainer(QWidget *child, QWidget *parent) : QWidget(parent), m_child(child)
{
    m_child->setParent(this);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

QSize SquareContainer::sizeHint() const
{
    return m_child->sizeHint();
}

void SquareContainer::resizeEvent(QResizeEvent *event)
{
    const int side = std::min(event->size().width(), event->size().height());
    m_child->setGeometry((width() - side) / 2, (height() - side) / 2, side, side);
}

} // namespace kelvara
