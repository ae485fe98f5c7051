// SPDX-License-Identifier: GPL-3.0-or-later
#include "board/boardpictures.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <functional>

namespace kelvara {
namespace {

// A transparent picture of a design grid, `scale` pixels per grid unit,
// drawn by `draw` in grid units.
QImage drawnImage(int width, int height, int scale, const std::function<void(QPainter &painter)> &draw)
{
    QImage image(width * scale, height * scale, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(scale, scale);
    draw(painter);
    return image;
}

void drawFunnel(QPainter &painter)
{
    const QRectF box(0.5, 3.5, 49, 11);
    painter.fillRect(box, QColor(0, 255, 255));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 0, 0));
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < 13; ++column)
            painter.drawEllipse(QPointF(4.0 + column * 3.3 + (row % 2) * 1.6, 6.0 + row * 3.0), 1.3, 1.3);

    // Outline with the inlet at the top right and the outlet (pixels 1..10) open at the bottom.
    QPen outline(Qt::black, 1.0);
    painter.setPen(outline);
    painter.setBrush(Qt::NoBrush);
    QPainterPath path;
    path.moveTo(11, 14.5);
    path.lineTo(49.5, 14.5);
    path.lineTo(49.5, 3.5);
    path.lineTo(44, 3.5);
    path.lineTo(47.5, 0.3);
    path.moveTo(38, 0.3);
    path.lineTo(41.5, 3.5);
    path.lineTo(0.5, 3.5);
    path.lineTo(0.5, 14.5);
    path.lineTo(1, 14.5);
    painter.drawPath(path);
}


QPixmap blankIcon(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

} // namespace

QImage funnelImage(int scale)
{
    return drawnImage(50, 15, scale, drawFunnel);
}

QImage targetMarkImage(int scale)
{
    return drawnImage(10, 8, scale, [](QPainter &painter) {
        painter.setPen(QPen(Qt::black, 0.8));
        painter.setBrush(QColor(255, 0, 0));
        painter.drawPolygon(QPolygonF{{0.5, 0.5}, {9.5, 0.5}, {5, 7.5}});
    });
}

QIcon funnelButtonIcon(ArrowDirection direction)
{
    QPixmap pixmap = blankIcon(64);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0, 0, 128), 3));
    painter.setBrush(QColor(0, 128, 255));
    const bool left = direction == ArrowDirection::Left;
    const double tip = left ? 6 : 58, back = left ? 34 : 30, end = left ? 58 : 6;
    QPolygonF arrow{{tip, 32}, {back, 8}, {back, 22}, {end, 22}, {end, 42}, {back, 42}, {back, 56}};
    painter.drawPolygon(arrow);
    return QIcon(pixmap);
}

QIcon baffleHandleIcon()
{
    QPixmap pixmap = blankIcon(64);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    // A grey lever along the baffle line with a large red knob on it, marked
    // with an arrow pointing down, the way the balls go when it is pressed.
    painter.setPen(QPen(Qt::black, 3));
    painter.setBrush(QColor(160, 160, 160));
    painter.drawRoundedRect(QRectF(2, 25, 60, 14), 5, 5);
    painter.setBrush(QColor(210, 30, 30));
    painter.drawEllipse(QPointF(32, 32), 28, 28);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    painter.drawPolygon(QPolygonF{{24, 14}, {40, 14}, {40, 30}, {49, 30}, {32, 50}, {15, 30}, {24, 30}});
    return QIcon(pixmap);
}

} // namespace kelvara
