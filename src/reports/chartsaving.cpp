// SPDX-License-Identifier: GPL-3.0-or-later
#include "reports/chartsaving.h"

#include "common/messages.h"
#include "common/savedialog.h"
#include "common/savefile.h"

#include <QFileInfo>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>

#include <algorithm>
#include <cmath>

namespace kelvara {
namespace {

const QString pngFilter = QStringLiteral("PNG image (*.png)");
const QString svgFilter = QStringLiteral("SVG drawing (*.svg)");

// Text grows with the picture up to this, so that a narrow chart saved wide
// keeps room for all its labels.
constexpr double largestTextScale = 2.0;

// Both kinds of file are laid out for a screen of 96 dots per inch, so point
// sizes come out as they do on screen.
constexpr double dotsPerInch = 96.0;

// The saved picture's parts, at its own size.
struct Layout {
    QSize size;
    double textScale = 1;
    QFont titleFont, valuesFont, footingFont;
    QPointF heading;  // baseline start of the heading line
    QRect chart;
    QPointF footing;  // baseline start of the line below
};

// The application's font at `scale` times its pixel size (the heading's
// 1.3 matches the charts window's titles).
QFont scaledFont(double scale, bool bold)
{
    QFont font = QGuiApplication::font();
    font.setPixelSize(std::max(1, int(std::lround(QFontInfo(font).pixelSize() * scale))));
    font.setBold(bold);
    return font;
}

Layout layoutFor(const ChartPicture &picture)
{
    const QSize shown = picture.shownSize.expandedTo(QSize(1, 1));
    Layout layout;
    const int width = std::max(savedChartMinimumWidth, shown.width());
    const double growth = double(width) / shown.width();
    layout.textScale = std::min(growth, largestTextScale);
    layout.titleFont = scaledFont(1.3 * layout.textScale, true);
    layout.valuesFont = scaledFont(1.3 * layout.textScale, false);
    layout.footingFont = scaledFont(layout.textScale, false);
    const double margin = 8 * layout.textScale;
    const QFontMetricsF heading(layout.titleFont);
    layout.heading = QPointF(margin, margin + heading.ascent());
    const int chartTop = int(std::ceil(margin + heading.height() + margin / 2));
    layout.chart = QRect(0, chartTop, width, int(std::lround(shown.height() * growth)));
    double bottom = layout.chart.bottom() + 1;
    if (!picture.footing.isEmpty()) {
        const QFontMetricsF footing(layout.footingFont);
        layout.footing = QPointF(margin, bottom + margin / 2 + footing.ascent());
        bottom += margin / 2 + footing.height();
    }
    layout.size = QSize(width, int(std::ceil(bottom + margin)));
    return layout;
}

void paintPicture(QPainter &painter, const Layout &layout, const ChartPicture &picture)
{
    painter.fillRect(QRect(QPoint(0, 0), layout.size), Qt::white);
    painter.setPen(Qt::black);
    painter.setFont(layout.titleFont);
    painter.drawText(layout.heading, picture.title);
    const double gap = QFontMetricsF(layout.valuesFont).horizontalAdvance(QStringLiteral("   "));
    painter.setFont(layout.valuesFont);
    painter.drawText(layout.heading + QPointF(QFontMetricsF(layout.titleFont).horizontalAdvance(picture.title) + gap, 0),
                     picture.values);
    if (!picture.footing.isEmpty()) {
        painter.setFont(layout.footingFont);
        painter.drawText(layout.footing, picture.footing);
    }
    painter.save();
    painter.translate(layout.chart.topLeft());
    painter.setClipRect(QRect(QPoint(0, 0), layout.chart.size()));
    picture.paintChart(painter, layout.chart.size(), layout.textScale);
    painter.restore();
}

bool writePng(QIODevice &file, const ChartPicture &picture)
{
    const Layout layout = layoutFor(picture);
    QImage image(layout.size, QImage::Format_RGB32);
    const int dotsPerMeter = int(std::lround(dotsPerInch / 0.0254));
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    QPainter painter(&image);
    paintPicture(painter, layout, picture);
    painter.end();
    return image.save(&file, "PNG");
}

bool writeSvg(QIODevice &file, const ChartPicture &picture)
{
    const Layout layout = layoutFor(picture);
    QSvgGenerator drawing;
    drawing.setOutputDevice(&file);
    drawing.setSize(layout.size);
    drawing.setViewBox(QRect(QPoint(0, 0), layout.size));
    drawing.setResolution(int(dotsPerInch));
    drawing.setTitle(picture.title);
    drawing.setDescription(picture.values);
    QPainter painter;
    if (!painter.begin(&drawing))
        return false;
    paintPicture(painter, layout, picture);
    return painter.end();
}

} // namespace

ChartFileType chartFileTypeOf(const QString &path, ChartFileType chosen)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QStringLiteral("svg"))
        return ChartFileType::Svg;
    if (suffix == QStringLiteral("png"))
        return ChartFileType::Png;
    return chosen;
}

bool writeChartFile(const QString &path, ChartFileType type, const ChartPicture &picture)
{
    return saveFile(path, [&](QIODevice &file) {
        return type == ChartFileType::Svg ? writeSvg(file, picture) : writePng(file, picture);
    });
}

void saveChartAs(QWidget *parent, const ChartPicture &picture)
{
    SaveDialog dialog(parent, QStringLiteral("Save Chart As"), {pngFilter, svgFilter});
    dialog.setObjectName(QStringLiteral("dlgSaveChart"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const QString path = dialog.selectedFiles().constFirst();
    const ChartFileType chosen = dialog.selectedNameFilter() == svgFilter ? ChartFileType::Svg : ChartFileType::Png;
    if (!writeChartFile(path, chartFileTypeOf(path, chosen), picture))
        reportError(QStringLiteral("Error saving chart!"), parent);
}

} // namespace kelvara
