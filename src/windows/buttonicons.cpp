// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/buttonicons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <functional>

// The icon files are compiled into the static library; naming their
// initialiser keeps them in every executable that links it. The macro must be
// used outside any namespace.
static void initIconResources()
{
    Q_INIT_RESOURCE(kelvara);
}

namespace kelvara {
namespace {

QIcon paintedIcon(const std::function<void(QPainter &)> &paint)
{
    QPixmap pixmap(64, 64);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    paint(painter);
    return QIcon(pixmap);
}

} // namespace

QIcon histogramIcon()
{
    return paintedIcon([](QPainter &p) {
        const int heights[] = {10, 22, 38, 50, 36, 20, 8};
        p.setPen(QPen(QColor(0, 0, 128), 1.5));
        p.setBrush(QColor(70, 130, 220));
        for (int i = 0; i < 7; ++i)
            p.drawRect(QRectF(4 + i * 8, 58 - heights[i], 8, heights[i]));
        p.setPen(QPen(Qt::black, 2));
        p.drawLine(2, 59, 62, 59);
    });
}

QIcon controlChartIcon()
{
    return paintedIcon([](QPainter &p) {
        p.fillRect(QRectF(2, 6, 60, 52), QColor(255, 255, 204));
        p.setPen(QPen(QColor(255, 0, 0), 2.5));
        p.drawLine(4, 14, 60, 14);
        p.drawLine(4, 50, 60, 50);
        p.setPen(QPen(QColor(0, 0, 255), 1.5, Qt::DashLine));
        p.drawLine(4, 32, 60, 32);
        const QPointF points[] = {{8, 30}, {17, 22}, {26, 38}, {35, 27}, {44, 41}, {53, 24}};
        p.setPen(QPen(QColor(0, 0, 128), 2.5));
        p.drawPolyline(points, 6);
        p.setBrush(QColor(0, 0, 128));
        for (const QPointF &point : points)
            p.drawEllipse(point, 2.5, 2.5);
    });
}

QIcon demonstrationIcon()
{
    return paintedIcon([](QPainter &p) {
        p.setPen(QPen(QColor(0, 90, 0), 3));
        p.setBrush(QColor(60, 180, 75));
        p.drawEllipse(QPointF(32, 32), 27, 27);
        p.setBrush(Qt::white);
        p.setPen(Qt::NoPen);
        p.drawPolygon(QPolygonF{{24, 18}, {24, 46}, {47, 32}});
    });
}

QIcon helpIcon()
{
    return paintedIcon([](QPainter &p) {
        p.setPen(QPen(QColor(0, 0, 128), 3));
        p.setBrush(QColor(90, 150, 240));
        p.drawEllipse(QPointF(32, 32), 27, 27);
        QFont font;
        font.setPixelSize(40);
        font.setBold(true);
        p.setFont(font);
        p.setPen(Qt::white);
        p.drawText(QRectF(0, 0, 64, 64), Qt::AlignCenter, QStringLiteral("?"));
    });
}

QIcon exitIcon()
{
    return paintedIcon([](QPainter &p) {
        p.setPen(QPen(QColor(120, 0, 0), 3));
        p.setBrush(QColor(220, 40, 40));
        p.drawRoundedRect(QRectF(6, 6, 52, 52), 8, 8);
        p.setPen(QPen(Qt::white, 7, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(20, 20, 44, 44);
        p.drawLine(44, 20, 20, 44);
    });
}

QIcon applicationIcon()
{
    // Loaded from the compiled-in files the desktop entry installs, so the
    // windows and the desktop show one picture; scripts/icon.sh paints them.
    // With their sizes given, the files are read only when a size is shown.
    initIconResources();
    QIcon icon;
    for (const int size : {48, 256})
        icon.addFile(QStringLiteral(":/kelvara/icons/hicolor/%1x%1/apps/kelvara.png").arg(size), QSize(size, size));
    return icon;
}

} // namespace kelvara
