// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/statuslabel.h"

#include <QEvent>
#include <QPainter>

namespace kelvara {
namespace {

const QString widestText = QStringLiteral("Sub Group #00000");
// Room in pixels either side of a piece's advance for glyphs that overhang it.
constexpr int overhang = 2;

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
    QPainter painter(this);
    // A border one pixel wide, filled rather than stroked: filling is far cheaper.
    painter.fillRect(rect(), palette().color(QPalette::Mid));
    painter.fillRect(rect().adjusted(1, 1, -1, -1), palette().color(QPalette::Window));
    const QList<Piece> pieces = piecesOf(text());
    qreal textWidth = 0;
    for (const Piece &piece : pieces)
        textWidth += piece.advance;
    qreal x = (width() - textWidth) / 2;
    const int y = qRound((height() - QFontMetricsF(font()).height()) / 2);
    for (const Piece &piece : pieces) {
        painter.drawPixmap(QPoint(qRound(x) - overhang, y), piece.picture);
        x += piece.advance;
    }
}

// The text before its trailing digits, then each of those digits. The pieces
// are copies (the pixmaps are shared): adding to the cache moves its entries.
QList<StatusLabel::Piece> StatusLabel::piecesOf(const QString &text)
{
    if (!m_pieces.isEmpty() && m_pieces.cbegin()->picture.devicePixelRatio() != devicePixelRatioF())
        m_pieces.clear();
    qsizetype digits = text.size();
    while (digits > 0 && text[digits - 1].isDigit())
        --digits;
    QList<Piece> pieces;
    if (digits > 0)
        pieces.append(piece(text.first(digits)));
    for (qsizetype i = digits; i < text.size(); ++i)
        pieces.append(piece(text.sliced(i, 1)));
    return pieces;
}

const StatusLabel::Piece &StatusLabel::piece(const QString &text)
{
    const auto found = m_pieces.constFind(text);
    if (found != m_pieces.cend())
        return *found;
    const QFontMetricsF metrics(font());
    Piece piece;
    piece.advance = metrics.horizontalAdvance(text);
    const qreal ratio = devicePixelRatioF();
    piece.picture = QPixmap((QSizeF(piece.advance + 2 * overhang, metrics.height()) * ratio).toSize());
    piece.picture.setDevicePixelRatio(ratio);
    piece.picture.fill(Qt::transparent);
    QPainter painter(&piece.picture);
    painter.setFont(font());
    painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    painter.drawText(QPointF(overhang, metrics.ascent()), text);
    return *m_pieces.insert(text, std::move(piece));
}

void StatusLabel::changeEvent(QEvent *event)
{
    switch (event->type()) {
    case QEvent::FontChange:
        m_hint = QSize();
        m_pieces.clear();
        if (parentWidget()) // the slot that holds the label takes its size from it
            parentWidget()->updateGeometry();
        break;
    case QEvent::PaletteChange:
    case QEvent::EnabledChange:
        m_pieces.clear();
        break;
    default:
        break;
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
