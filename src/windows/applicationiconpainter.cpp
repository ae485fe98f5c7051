// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/applicationiconpainter.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPolygonF>

namespace kelvara {
namespace {

// Everything is laid out on a 64-unit square; the painter's transform scales it.
constexpr double designSize = 64.0;
const QColor navy(0, 0, 128);

void paintBackground(QPainter &p)
{
    QLinearGradient paper(0, 2, 0, 62);
    paper.setColorAt(0, QColor(255, 255, 214));
    paper.setColorAt(1, QColor(255, 240, 165));
    p.setPen(QPen(navy, 2.5));
    p.setBrush(paper);
    p.drawRoundedRect(QRectF(2.5, 2.5, 59, 59), 9, 9);
}

void paintFunnel(QPainter &p)
{
    p.setPen(Qt::NoPen);
    p.setBrush(navy);
    p.drawPolygon(QPolygonF{{24, 6}, {40, 6}, {34, 11}, {30, 11}});
}

// Four rows of pins below the funnel, each row one pin wider.
void paintPins(QPainter &p)
{
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(128, 0, 0));
    for (int row = 0; row < 4; ++row)
        for (int pin = 0; pin <= row; ++pin)
            p.drawEllipse(QPointF(32 - row * 4.5 + pin * 9, 15 + row * 4.5), 1.7, 1.7);
}

// The landed balls pile up in the bell shape the board teaches.
void paintPile(QPainter &p)
{
    const int pile[] = {1, 2, 4, 5, 4, 2, 1};
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(225, 0, 0));
    for (int column = 0; column < 7; ++column)
        for (int ball = 0; ball < pile[column]; ++ball)
            p.drawEllipse(QPointF(14 + column * 6, 53 - ball * 4.6), 2.5, 2.5);
    p.setPen(QPen(navy, 2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(9, 56.5), QPointF(55, 56.5));
}

} // namespace

void paintApplicationIcon(QPainter &painter, const QRectF &target)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(target.topLeft());
    painter.scale(target.width() / designSize, target.height() / designSize);
    paintBackground(painter);
    paintFunnel(painter);
    paintPins(painter);
    paintPile(painter);
    painter.restore();
}

QImage applicationIconImage(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    paintApplicationIcon(painter, QRectF(0, 0, size, size));
    return image;
}

} // namespace kelvara
