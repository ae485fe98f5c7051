#pragma once
// One histogram over the 31 slots: a bar chart of counts with the slots'
// measurement values along the bottom, drawn to be read from the back of a
// classroom.

#include "core/histogramdata.h"

#include <QChartView>

class QBarCategoryAxis;
class QBarSet;
class QGraphicsSimpleTextItem;
class QValueAxis;

namespace kelvara {

class HistogramChart : public QChartView {
    Q_OBJECT
public:
    explicit HistogramChart(const QString &name, QWidget *parent = nullptr);

    /// Replaces all bars: one per slot, in slot order.
    void setBars(const SlotCounts &counts, const QStringList &labels);

    /// Puts a picture of the chart as it is shown on the clipboard.
    void copyToClipboard();

signals:
    /// The right mouse button was released over the chart, at a global position.
    void rightClicked(const QPoint &globalPosition);

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void followZoom();
    void fitSlotLabels();
    void placeSlotLabels();

    QBarSet *m_bars;
    QBarCategoryAxis *m_slotAxis;
    QValueAxis *m_countAxis;
    QList<QGraphicsSimpleTextItem *> m_slotLabels;
};

} // namespace kelvara
