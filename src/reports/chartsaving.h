// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "Save Chart As...": a chart with its heading line written to a PNG image or
// an SVG drawing the user names. The chart is laid out again at the size it is
// saved at, so labels stay whole and text stays sharp; text grows with the
// picture, up to twice its size on screen.

#include <QSize>
#include <QString>

#include <functional>

class QPainter;
class QWidget;

namespace kelvara {

/// What a saved chart shows, top to bottom.
struct ChartPicture {
    QString title;    // bold, at the left of the heading line: "XBar Chart:"
    QString values;   // after the title: the centre line and limits
    QString footing;  // a line below the chart, or empty
    QSize shownSize;  // the chart on screen: the saved picture keeps its shape
    /// Paints the chart laid out at `size`, its text `textScale` times as large.
    std::function<void(QPainter &painter, const QSize &size, double textScale)> paintChart;
};

enum class ChartFileType { Png, Svg };

/// The narrowest a saved PNG image is, in pixels.
inline constexpr int savedChartMinimumWidth = 1600;

/// Asks for a file name in the save dialog `dlgSaveChart` and writes the
/// chart there; a failed write is reported as a failed export is, and leaves
/// no file behind.
void saveChartAs(QWidget *parent, const ChartPicture &picture);

/// Writes the chart to `path` as the given type; false on failure, with the
/// error recorded for the report.
bool writeChartFile(const QString &path, ChartFileType type, const ChartPicture &picture);

/// The type a name's extension asks for; `chosen` when it names neither.
ChartFileType chartFileTypeOf(const QString &path, ChartFileType chosen);

} // namespace kelvara
