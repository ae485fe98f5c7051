// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/statuslabel.h"

#include <QEvent>
#include <QPainter>

namespace kelvara {
namespace {

const QString widestText = QStringLiteral("Sub Group #00000");
constexpr int frame = 10;

} // namespace

StatusLabel::StatusLabel(const QString &text, QWidget *parent) : QLabel(text, parent)
{
    setAlignment(Qt::AlignCenter);
    // The label paints every pixel, so a repaint leaves what lies under it alone.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QSize StatusLabel::sizeHint() const
{
    const QFontMetrics metrics(font());
    return {metrics.horizontalAdvance(widestText) + frame, metrics.height() + frame};
}

QSize StatusLabel::minimumSizeHint() const
{
    return sizeHint();
}

void StatusLabel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    // A border one pixel wide, filled rather than stroked: filling is far cheaper.
    painter.fillRect(rect(), palette().color(QPalette::Mid));
    painter.fillRect(rect().adjusted(1, 1, -1, -1), palette().color(QPalette::Window));
    painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    painter.drawText(rect(), Qt::AlignCenter, text());
}

void StatusLabel::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::FontChange && parentWidget())
        parentWidget()->updateGeometry(); // the slot that holds the label takes its size from it
    QLabel::changeEvent(event);
}

StatusSlot::StatusSlot(StatusLabel *label, QWidget *parent) : QWidget(parent), m_label(label)
{
    label->setParent(this);
}

QSize StatusSlot::sizeHint() const
{
    return m_label->sizeHint();
}

QSize StatusSlot::minimumSizeHint() const
{
    return m_label->minimumSizeHint();
}

void StatusSlot::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    m_label->setFixedSize(size());
}

} // namespace kelvara
