#include "windows/statuslabel.h"

#include <QEvent>
#include <QPainter>

namespace kelvara {
namespace {

const QString widestText = QStringLiteral("Sub Group #00000");

} // namespace

StatusLabel::StatusLabel(const QString &text, QWidget *parent) : QLabel(text, parent)
{
    setAlignment(Qt::AlignCenter);
    QFont bold = font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.2);
    setFont(bold);
    // The label paints every pixel, so a repaint leaves what lies under it alone.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QSize StatusLabel::sizeHint() const
{
    if (m_hint.isEmpty()) {
        const QFontMetrics metrics(font());
        const int frame = 10;
        const_cast<QSize &>(m_hint) = QSize(metrics.horizontalAdvance(widestText) + frame, metrics.height() + frame);
    }
    return m_hint;
}

QSize StatusLabel::minimumSizeHint() const
{
    return sizeHint();
}

void StatusLabel::paintEvent(QPaintEvent *)
{
    if (m_shown.text() != text()) {
        m_shown.setText(text());
        m_shown.prepare(QTransform(), font());
    }
    QPainter painter(this);
    // A border one pixel wide, filled rather than stroked: filling is far cheaper.
    painter.fillRect(rect(), palette().color(QPalette::Mid));
    painter.fillRect(rect().adjusted(1, 1, -1, -1), palette().color(QPalette::Window));
    painter.setFont(font());
    painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    const QSizeF size = m_shown.size();
    painter.drawStaticText(QPointF((width() - size.width()) / 2, (height() - size.height()) / 2), m_shown);
}

void StatusLabel::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::FontChange) {
        m_hint = QSize();
        m_shown.setText(QString());
    }
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
