// SPDX-License-Identifier: GPL-3.0-or-later
#include "reports/runlengthcharts.h"

#include "common/zoom.h"

#include <QAreaSeries>
#include <QGraphicsLayout>
#include <QLineSeries>
#include <QLogValueAxis>
#include <QScatterSeries>
#include <QValueAxis>

#include <algorithm>
#include <cmath>
#include <memory>

namespace kelvara {
namespace {

const QColor barColour(0, 0, 128);
const QColor curveColour(0, 0, 255);
const QColor measuredColour(220, 0, 0);
constexpr double labelPoints = 9.0; // at the normal text size

QFont labelFont(double textScale)
{
    QFont font;
    font.setPointSizeF(labelPoints * zoom::factor() * textScale);
    return font;
}

// The lowest power of ten at or above a value.
double decadeAbove(double value)
{
    return std::pow(10.0, std::ceil(std::log10(std::max(value, 10.0)) - 1e-9));
}

} // namespace

LabChart::LabChart(const QString &name, const QString &title, QWidget *parent, double textScale)
    : MenuChartView(parent), m_title(title), m_textScale(textScale)
{
    setObjectName(name);
    setAccessibleName(title);
    setRenderHint(QPainter::Antialiasing);
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::StrongFocus);

    auto *chart = new QChart;
    chart->setTitle(title);
    chart->legend()->hide();
    chart->setBackgroundRoundness(0);
    chart->layout()->setContentsMargins(0, 0, 0, 0);
    // The view came with an empty chart of its own, which it stops owning once replaced.
    QChart *placeholder = this->chart();
    setChart(chart);
    delete placeholder;
    connect(&zoom::notifier(), &zoom::Notifier::changed, this, &LabChart::followZoom);
}

void LabChart::styleAxis(QAbstractAxis *axis, const QString &title)
{
    axis->setTitleText(title);
    m_axes << axis;
    followZoom();
}

void LabChart::followZoom()
{
    for (QAbstractAxis *axis : std::as_const(m_axes)) {
        axis->setLabelsFont(labelFont(m_textScale));
        axis->setTitleFont(labelFont(m_textScale));
    }
    QFont heading = labelFont(m_textScale);
    heading.setBold(true);
    chart()->setTitleFont(heading);
}

void LabChart::paintAt(QPainter &painter, const QSize &size, double textScale) const
{
    // A copy laid out at the size, never shown on screen.
    const std::unique_ptr<LabChart> copy(copyAt(textScale));
    copy->chart()->setTitle(QString()); // the saved picture's heading names it
    copy->setAttribute(Qt::WA_DontShowOnScreen);
    copy->resize(size);
    copy->show();
    copy->chart()->layout()->activate();
    copy->scene()->render(&painter, QRectF(QPointF(0, 0), size), copy->sceneRect());
}

DelayHistogram::DelayHistogram(QWidget *parent, double textScale)
    : LabChart(QStringLiteral("delayChart"), QStringLiteral("Subgroups from the shift to the first signal"), parent,
               textScale),
      m_outline(new QLineSeries(this)), m_area(new QAreaSeries(m_outline)), m_delayAxis(new QValueAxis),
      m_runAxis(new QValueAxis)
{
    m_area->setColor(barColour);
    m_area->setBorderColor(barColour);
    chart()->addSeries(m_area);
    chart()->addAxis(m_delayAxis, Qt::AlignBottom);
    chart()->addAxis(m_runAxis, Qt::AlignLeft);
    m_area->attachAxis(m_delayAxis);
    m_area->attachAxis(m_runAxis);
    // Whole numbers only, so the labels need no decimal separator.
    m_delayAxis->setLabelFormat(QStringLiteral("%d"));
    m_runAxis->setLabelFormat(QStringLiteral("%d"));
    styleAxis(m_delayAxis, QStringLiteral("Subgroups after the shift"));
    styleAxis(m_runAxis, QStringLiteral("Runs"));
    setBars(DelayBars{});
}

void DelayHistogram::setBars(const DelayBars &bars)
{
    m_bars = bars;
    // Bar i stands over the delays i x width + 1 .. (i + 1) x width: from
    // i x width to (i + 1) x width on the axis.
    QList<QPointF> outline{{0, 0}};
    int highest = 0;
    for (qsizetype i = 0; i < bars.counts.size(); ++i) {
        const double left = double(i * bars.width), right = double((i + 1) * bars.width);
        outline << QPointF(left, bars.counts[i]) << QPointF(right, bars.counts[i]);
        highest = std::max(highest, bars.counts[i]);
    }
    outline << QPointF(double(bars.counts.size() * bars.width), 0);
    m_outline->replace(outline);
    m_delayAxis->setRange(0, std::max<qsizetype>(bars.counts.size() * bars.width, 10));
    m_runAxis->setRange(0, std::max(highest, 1));
    m_runAxis->applyNiceNumbers();
    m_delayAxis->applyNiceNumbers();
}

LabChart *DelayHistogram::copyAt(double textScale) const
{
    auto *copy = new DelayHistogram(nullptr, textScale);
    copy->setBars(m_bars);
    return copy;
}

ArlCurve::ArlCurve(QWidget *parent, double textScale)
    : LabChart(QStringLiteral("arlChart"), QStringLiteral("Exact ARL against the shift"), parent, textScale),
      m_line(new QLineSeries(this)), m_measuredPoint(new QScatterSeries(this)), m_shiftAxis(new QValueAxis),
      m_arlAxis(new QLogValueAxis)
{
    m_line->setPen(QPen(curveColour, 2 * textScale));
    m_line->setPointsVisible(true);
    m_measuredPoint->setColor(measuredColour);
    m_measuredPoint->setBorderColor(measuredColour);
    m_measuredPoint->setMarkerSize(11 * textScale);
    for (QXYSeries *series : std::initializer_list<QXYSeries *>{m_line, m_measuredPoint})
        chart()->addSeries(series);
    chart()->addAxis(m_shiftAxis, Qt::AlignBottom);
    chart()->addAxis(m_arlAxis, Qt::AlignLeft);
    for (QXYSeries *series : std::initializer_list<QXYSeries *>{m_line, m_measuredPoint}) {
        series->attachAxis(m_shiftAxis);
        series->attachAxis(m_arlAxis);
    }
    m_shiftAxis->setRange(-widestShift, widestShift);
    m_shiftAxis->setTickCount(2 * widestShift + 1);
    m_shiftAxis->setLabelFormat(QStringLiteral("%d"));
    m_arlAxis->setBase(10);
    m_arlAxis->setLabelFormat(QStringLiteral("%.0f"));
    styleAxis(m_shiftAxis, QStringLiteral("Shift of the funnel (slots)"));
    styleAxis(m_arlAxis, QStringLiteral("Average run length (subgroups)"));
    setCurve({}, std::nullopt);
}

void ArlCurve::setCurve(const QList<QPointF> &exact, std::optional<QPointF> measured)
{
    m_exact = exact;
    m_measured = measured;
    m_line->replace(exact);
    m_measuredPoint->replace(measured ? QList<QPointF>{*measured} : QList<QPointF>{});
    double highest = 1.0;
    for (const QPointF &point : exact)
        highest = std::max(highest, point.y());
    if (measured)
        highest = std::max(highest, measured->y());
    m_arlAxis->setRange(1.0, decadeAbove(highest));
}

LabChart *ArlCurve::copyAt(double textScale) const
{
    auto *copy = new ArlCurve(nullptr, textScale);
    copy->setCurve(m_exact, m_measured);
    return copy;
}

} // namespace kelvara
