// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The run-length lab's two charts: the histogram of the delays the runs took,
// and theory's average run length against the funnel's shift on a
// logarithmic axis, with the lab's measured mean on it.

#include "core/runlengthresults.h"

#include "reports/menuchartview.h"

#include <QPointF>

#include <optional>

class QAreaSeries;
class QLineSeries;
class QScatterSeries;
class QValueAxis;
class QLogValueAxis;

namespace kelvara {

/// A lab chart: it paints a copy of itself at any size for saving.
class LabChart : public MenuChartView {
    Q_OBJECT
public:
    LabChart(const QString &name, const QString &title, QWidget *parent, double textScale);

    /// The heading a saved picture of the chart carries.
    QString title() const { return m_title; }
    /// Paints the chart laid out at `size`, its text `textScale` times as large.
    void paintAt(QPainter &painter, const QSize &size, double textScale) const;

protected:
    /// A chart showing the same, its text `textScale` times as large.
    virtual LabChart *copyAt(double textScale) const = 0;
    void styleAxis(QAbstractAxis *axis, const QString &title);

private:
    void followZoom();

    QString m_title;
    double m_textScale;
    QList<QAbstractAxis *> m_axes;
};

/// How many runs took how many subgroups from the shift to their first signal.
class DelayHistogram : public LabChart {
    Q_OBJECT
public:
    explicit DelayHistogram(QWidget *parent = nullptr, double textScale = 1.0);
    void setBars(const DelayBars &bars);

protected:
    LabChart *copyAt(double textScale) const override;

private:
    DelayBars m_bars;
    QLineSeries *m_outline;
    QAreaSeries *m_area;
    QValueAxis *m_delayAxis;
    QValueAxis *m_runAxis;
};

/// Theory's average run length for each whole shift from -5 to 5 slots.
class ArlCurve : public LabChart {
    Q_OBJECT
public:
    static constexpr int widestShift = 5;

    explicit ArlCurve(QWidget *parent = nullptr, double textScale = 1.0);
    /// The curve's points (shift, ARL) where a signal is possible, and the
    /// lab's measured mean at its shift, if any.
    void setCurve(const QList<QPointF> &exact, std::optional<QPointF> measured);

protected:
    LabChart *copyAt(double textScale) const override;

private:
    QList<QPointF> m_exact;
    std::optional<QPointF> m_measured;
    QLineSeries *m_line;
    QScatterSeries *m_measuredPoint;
    QValueAxis *m_shiftAxis;
    QLogValueAxis *m_arlAxis;
};

} // namespace kelvara
