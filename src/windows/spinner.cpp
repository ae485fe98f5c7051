// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/spinner.h"

#include <QKeyEvent>
#include <QToolButton>
#include <QVBoxLayout>

namespace kelvara {
namespace {

constexpr int arrowWidth = 22;

QToolButton *arrowButton(const QString &name, Qt::ArrowType arrow, QWidget *parent)
{
    auto *button = new QToolButton(parent);
    button->setObjectName(name);
    button->setArrowType(arrow);
    button->setAutoRepeat(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    button->setFixedWidth(arrowWidth);
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

void Spinner::showEvent(QShowEvent *event)
{
    if (!m_window) {
        m_window = window();
        m_window->installEventFilter(this);
    }
    QWidget::showEvent(event);
}

bool Spinner::eventFilter(QObject *watched, QEvent *event)
{
    // A modal box opened by a step (a message, say) takes the mouse release
    // away from the held arrow, whose auto-repeat would then step on and open
    // box after box. The press ends when the box opens.
    if (watched == m_window && event->type() == QEvent::WindowBlocked) {
        m_up->setDown(false);
        m_down->setDown(false);
    }
    return QWidget::eventFilter(watched, event);
}

void Spinner::nameFor(const QString &setting)
{
    setAccessibleName(QStringLiteral("%1 arrows").arg(setting));
    setAccessibleDescription(QStringLiteral("Up and Down step %1").arg(setting));
    m_up->setAccessibleName(QStringLiteral("Increase %1").arg(setting));
    m_down->setAccessibleName(QStringLiteral("Decrease %1").arg(setting));
}

void Spinner::setZoom(double factor)
{
    for (QToolButton *arrow : {m_up, m_down})
        arrow->setFixedWidth(qRound(arrowWidth * factor));
}

// The spinner takes the focus in the tab order, so its arrow keys step it as
// its arrow buttons do.
void Spinner::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Up)
        emit up();
    else if (event->key() == Qt::Key_Down)
        emit down();
    else
        QWidget::keyPressEvent(event);
}

} // namespace kelvara
