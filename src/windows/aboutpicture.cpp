// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/aboutpicture.h"

#include "common/messages.h"
#include "common/zoom.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <array>

namespace kelvara {
namespace {

// The picture is designed on a 300 x 300 grid and scaled to the widget.
constexpr int side = 300;

const QColor bandTop(206, 32, 41);
const QColor bandBottom(150, 16, 24);
const QColor ink(34, 40, 64);
const QColor barFill(120, 170, 220);
const QColor barEdge(60, 110, 170);
const QColor centreLineColour(30, 140, 60);
const QColor limitColour(206, 32, 41);
const QColor ballColour(230, 60, 50);
const QColor pinColour(60, 60, 80);

QFont pictureFont(int pixelSize, int weight, bool italic = false)
{
    QFont font(QStringLiteral("Sans Serif"));
    font.setPixelSize(pixelSize);
    font.setWeight(QFont::Weight(weight));
    font.setItalic(italic);
    return font;
}

void drawBand(QPainter &p)
{
    const QRectF band(0, 0, side, 84);
    QLinearGradient shade(band.topLeft(), band.bottomLeft());
    shade.setColorAt(0, bandTop);
    shade.setColorAt(1, bandBottom);
    p.fillRect(band, shade);
    p.fillRect(QRectF(0, band.bottom(), side, 3), QColor(120, 10, 16));

    p.setPen(Qt::white);
    p.setFont(pictureFont(40, QFont::Bold));
    p.drawText(QRectF(0, 6, side, 48), Qt::AlignCenter, productName);
    p.setPen(QColor(255, 225, 225));
    p.setFont(pictureFont(15, QFont::Normal, true));
    p.drawText(QRectF(0, 52, side, 24), Qt::AlignCenter, QStringLiteral("with Control Charts"));
}

void drawTagline(QPainter &p)
{
    p.setPen(ink);
    p.setFont(pictureFont(12, QFont::DemiBold));
    p.drawText(QRectF(0, 94, side, 20), Qt::AlignCenter,
               QStringLiteral("A versatile software to simulate and learn"));
    p.setPen(QPen(QColor(200, 200, 210), 1));
    p.drawLine(QPointF(40, 121), QPointF(side - 40, 121));
}

// A bell-shaped histogram (binomial counts) with the words over it.
void drawHistogramWithTitle(QPainter &p, const QRectF &area)
{
    constexpr std::array<int, 11> counts = {1, 10, 45, 120, 210, 252, 210, 120, 45, 10, 1};
    const double barWidth = area.width() / counts.size();
    QLinearGradient shade(area.topLeft(), area.bottomLeft());
    shade.setColorAt(0, barFill.lighter(115));
    shade.setColorAt(1, barFill.darker(110));
    p.setPen(QPen(barEdge, 1));
    p.setBrush(shade);
    for (std::size_t i = 0; i < counts.size(); ++i) {
        const double height = (area.height() - 6) * counts[i] / 252.0;
        p.drawRect(QRectF(area.left() + i * barWidth, area.bottom() - height, barWidth, height));
    }
    p.setPen(QPen(ink, 1.5));
    p.drawLine(area.bottomLeft(), area.bottomRight());

    // The words carry a white halo so they read clearly over the bars.
    QPainterPath words;
    const QFont font = pictureFont(21, QFont::Bold);
    const QFontMetricsF metrics(font);
    const QStringList lines = {QStringLiteral("Statistical"), QStringLiteral("Process"), QStringLiteral("Control")};
    double baseline = area.top() + 44;
    for (const QString &line : lines) {
        const double x = area.center().x() - metrics.horizontalAdvance(line) / 2;
        words.addText(QPointF(x, baseline), font, line);
        baseline += metrics.height() + 2;
    }
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 255, 255, 230), 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(words);
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    p.drawPath(words);
}

// A short control chart: centre line, two limits and a trace of points.
void drawControlChart(QPainter &p, const QRectF &area)
{
    constexpr std::array<double, 9> trace = {0.1, -0.45, 0.3, 0.55, -0.2, -0.6, 0.25, -0.05, 0.4};
    p.setPen(QPen(QColor(180, 180, 190), 1));
    p.setBrush(Qt::white);
    p.drawRect(area);
    const double middle = area.center().y();
    const double reach = area.height() * 0.38;
    p.setPen(QPen(limitColour, 1, Qt::DashLine));
    p.drawLine(QPointF(area.left() + 3, middle - reach), QPointF(area.right() - 3, middle - reach));
    p.drawLine(QPointF(area.left() + 3, middle + reach), QPointF(area.right() - 3, middle + reach));
    p.setPen(QPen(centreLineColour, 1));
    p.drawLine(QPointF(area.left() + 3, middle), QPointF(area.right() - 3, middle));

    QPolygonF points;
    const double step = (area.width() - 12) / (trace.size() - 1);
    for (std::size_t i = 0; i < trace.size(); ++i)
        points << QPointF(area.left() + 6 + i * step, middle - trace[i] * reach);
    p.setPen(QPen(barEdge.darker(120), 1.5));
    p.drawPolyline(points);
    p.setBrush(barEdge.darker(120));
    for (const QPointF &point : points)
        p.drawEllipse(point, 2, 2);
}

// A few rows of pins above slots holding a bell-shaped pile of balls.
void drawQuincunx(QPainter &p, const QRectF &area)
{
    constexpr int rows = 5;
    constexpr std::array<int, 7> pile = {1, 2, 4, 5, 4, 2, 1};
    const double slotWidth = area.width() / pile.size();
    const double ball = slotWidth * 0.8;
    const double floor = area.bottom();
    const double slotTop = floor - 5.5 * ball;

    p.setPen(Qt::NoPen);
    p.setBrush(pinColour);
    for (int row = 0; row < rows; ++row) {
        const double y = area.top() + 4 + row * (slotTop - area.top() - 6) / rows;
        const int pins = row + 2;
        for (int i = 0; i < pins; ++i)
            p.drawEllipse(QPointF(area.center().x() + (i - (pins - 1) / 2.0) * slotWidth, y), 1.4, 1.4);
    }

    p.setPen(QPen(pinColour, 1));
    for (std::size_t i = 0; i <= pile.size(); ++i) {
        const double x = area.left() + i * slotWidth;
        p.drawLine(QPointF(x, slotTop), QPointF(x, floor));
    }
    p.drawLine(QPointF(area.left(), floor), QPointF(area.right(), floor));

    p.setPen(QPen(ballColour.darker(150), 0.8));
    p.setBrush(ballColour);
    for (std::size_t slot = 0; slot < pile.size(); ++slot) {
        const double x = area.left() + (slot + 0.5) * slotWidth;
        for (int i = 0; i < pile[slot]; ++i)
            p.drawEllipse(QPointF(x, floor - (i + 0.5) * ball), ball / 2, ball / 2);
    }
}

} // namespace

AboutPicture::AboutPicture(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("aboutpicture"));
}

// The picture grows with the zoom of the program's text.
QSize AboutPicture::sizeHint() const
{
    const int zoomed = qRound(side * zoom::factor());
    return {zoomed, zoomed};
}

QSize AboutPicture::minimumSizeHint() const
{
    return sizeHint();
}

void AboutPicture::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const double scale = std::min(width(), height()) / double(side);
    p.translate((width() - side * scale) / 2, (height() - side * scale) / 2);
    p.scale(scale, scale);

    p.fillRect(QRectF(0, 0, side, side), QColor(250, 250, 252));
    drawBand(p);
    drawTagline(p);
    drawHistogramWithTitle(p, QRectF(12, 130, 176, 158));
    drawControlChart(p, QRectF(200, 134, 88, 62));
    drawQuincunx(p, QRectF(200, 206, 88, 82));
    p.setPen(QPen(QColor(170, 170, 180), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(0.5, 0.5, side - 1, side - 1));
}

} // namespace kelvara
