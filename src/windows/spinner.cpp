// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/spinner.h"

#include <QToolButton>
#include <QVBoxLayout>

namespace kelvara {
namespace {

QToolButton *arrowButton(const QString &name, Qt::ArrowType arrow, QWidget *parent)
{
    auto *button = new QToolButton(parent);
    button->setObjectName(name);
    button->setArrowType(arrow);
    button->setAutoRepeat(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    button->setFixedWidth(22);
    return button;
}

} // namespace

Spinner::Spinner(const QString &name, QWidget *parent)
    : QWidget(parent),
      m_up(arrowButton(QStringLiteral("up"), Qt::UpArrow, this)),
      m_down(arrowButton(QStringLiteral("down"), Qt::DownArrow, this))
{
    setObjectName(name);
    setFocusPolicy(Qt::TabFocus);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_up);
    layout->addWidget(m_down);
    connect(m_up, &QToolButton::clicked, this, &Spinner::up);
    connect(m_down, &QToolButton::clicked, this, &Spinner::down);
}

} // namespace kelvara
