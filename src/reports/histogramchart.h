// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One histogram over the 31 slots: a bar chart of counts with the slots'
// measurement values along the bottom, drawn to be read from the back of a
// classroom.

#include "core/histogramdata.h"
#include "core/idealhistogram.h"

#include "reports/menuchartview.h"

#include <optional>

class QBarCategoryAxis;
class QBarSet;
class QGraphicsSimpleTextItem;
class QLineSeries;
class QValueAxis;

namespace kelvara {

class HistogramChart : public MenuChartView {
    Q_OBJECT
public:
    /// Text, gaps and lines are `textScale` times their size on screen.
    explicit HistogramChart(const QString &name, QWidget *parent = nullptr, double textScale = 1.0);

    /// Replaces all bars: one per slot, in slot order.
    void setBars(const SlotCounts &counts, const QStringList &labels);

    /// Shows the counts theory expects as a line over the bars, one point at
    /// the centre of each bar; std::nullopt takes the line away.
    void setIdeal(const std::optional<ExpectedCounts> &ideal);

    /// Paints the chart laid out at `size`, its text `textScale` times as large.
    void paintAt(QPainter &painter, const QSize &size, double textScale) const;

private:
    void followZoom();
    void fitSlotLabels();
    void placeSlotLabels();
    void fitCountAxis();

    double m_textScale;
    SlotCounts m_counts{};
    QStringList m_labels;
    std::optional<ExpectedCounts> m_idealCounts;
    QBarSet *m_bars;
    QLineSeries *m_ideal; // on the chart only while it is shown
    int m_highestBar = 0;
    QBarCategoryAxis *m_slotAxis;
    QValueAxis *m_countAxis;
    QList<QGraphicsSimpleTextItem *> m_slotLabels;
};

} // namespace kelvara
