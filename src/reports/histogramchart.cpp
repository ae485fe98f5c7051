// SPDX-License-Identifier: GPL-3.0-or-later
#include "reports/histogramchart.h"

#include "common/zoom.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QClipboard>
#include <QGraphicsLayout>
#include <QGraphicsSimpleTextItem>
#include <QGuiApplication>
#include <QLineSeries>
#include <QValueAxis>

#include <cmath>

namespace kelvara {
namespace {

const QColor barColour(0, 0, 128);
const QColor idealColour(220, 0, 0);
constexpr int labelGap = 4;
constexpr double labelPoints = 9.0; // at the normal text size

QFont labelFont(double textScale)
{
    QFont font;
    font.setPointSizeF(labelPoints * zoom::factor() * textScale);
    return font;
}

// The category axis drops a repeated label and with it a bar; when a coarse
// format shows two slots alike, a trailing blank keeps them apart unseen.
QStringList distinctLabels(const QStringList &labels)
{
    QStringList distinct;
    for (QString label : labels) {
        while (distinct.contains(label))
            label += u' ';
        distinct << label;
    }
    return distinct;
}

} // namespace

HistogramChart::HistogramChart(const QString &name, QWidget *parent, double textScale)
    : MenuChartView(parent), m_textScale(textScale), m_bars(new QBarSet(QString())), m_ideal(new QLineSeries(this)),
      m_slotAxis(new QBarCategoryAxis),
      m_countAxis(new QValueAxis)
{
    setObjectName(name);
    setRenderHint(QPainter::Antialiasing);
    setFrameShape(QFrame::NoFrame);

    m_ideal->setName(QStringLiteral("Ideal"));
    m_ideal->setPen(QPen(idealColour, 3 * m_textScale));
    m_bars->setColor(barColour);
    m_bars->setBorderColor(barColour);
    auto *series = new QBarSeries;
    series->append(m_bars);
    series->setBarWidth(0.8);

    auto *chart = new QChart;
    chart->addSeries(series);
    chart->legend()->hide();
    chart->setBackgroundRoundness(0);
    chart->layout()->setContentsMargins(0, 0, 0, 0);

    // The axis keeps the slot labels, but Qt Charts hides a rotated label at
    // either end once a slot is narrower than the label's line height, so the
    // chart draws them itself.
    m_slotAxis->setLabelsVisible(false);
    m_slotAxis->setGridLineVisible(false);
    chart->addAxis(m_slotAxis, Qt::AlignBottom);
    series->attachAxis(m_slotAxis);

    m_countAxis->setLabelFormat(QStringLiteral("%d"));
    m_countAxis->setLabelsFont(labelFont(m_textScale));
    m_countAxis->setTickType(QValueAxis::TicksDynamic);
    m_countAxis->setTickAnchor(0);
    chart->addAxis(m_countAxis, Qt::AlignLeft);
    series->attachAxis(m_countAxis);

    for (int slot = 0; slot < slotTotal; ++slot) {
        auto *label = new QGraphicsSimpleTextItem(chart);
        label->setFont(labelFont(m_textScale));
        label->setBrush(m_countAxis->labelsBrush());
        label->setRotation(-90);
        m_slotLabels << label;
    }
    connect(chart, &QChart::plotAreaChanged, this, [this] { placeSlotLabels(); });
    // The view came with an empty chart of its own, which it stops owning
    // once replaced.
    QChart *placeholder = this->chart();
    setChart(chart);
    delete placeholder;
    connect(&zoom::notifier(), &zoom::Notifier::changed, this, &HistogramChart::followZoom);
}

void HistogramChart::followZoom()
{
    m_countAxis->setLabelsFont(labelFont(m_textScale));
    for (QGraphicsSimpleTextItem *label : m_slotLabels)
        label->setFont(labelFont(m_textScale));
    fitSlotLabels();
}

void HistogramChart::setBars(const SlotCounts &counts, const QStringList &labels)
{
    QList<qreal> values;
    m_highestBar = 0;
    for (const int count : counts) {
        values << count;
        m_highestBar = std::max(m_highestBar, count);
    }
    m_counts = counts;
    m_labels = labels;
    m_bars->remove(0, m_bars->count());
    m_bars->append(values);
    m_slotAxis->setCategories(distinctLabels(labels));
    fitCountAxis();

    for (int slot = 0; slot < m_slotLabels.size(); ++slot)
        m_slotLabels[slot]->setText(labels.value(slot));
    fitSlotLabels();
}

// The chart leaves room below the bars for the longest label.
void HistogramChart::fitSlotLabels()
{
    qreal longest = 0;
    for (const QGraphicsSimpleTextItem *label : std::as_const(m_slotLabels))
        longest = std::max(longest, label->boundingRect().width());
    const auto scaled = [this](double pixels) { return int(std::lround(pixels * m_textScale)); };
    chart()->setMargins(QMargins(scaled(2), scaled(6), scaled(6), int(longest) + scaled(2 * labelGap)));
    placeSlotLabels();
}

void HistogramChart::setIdeal(const std::optional<ExpectedCounts> &ideal)
{
    m_idealCounts = ideal;
    const bool shown = chart()->series().contains(m_ideal);
    if (!ideal) {
        // The chart hands the series back; this view keeps owning it.
        if (shown)
            chart()->removeSeries(m_ideal);
        m_ideal->setParent(this);
        fitCountAxis();
        return;
    }
    QList<QPointF> points;
    for (int bar = 0; bar < slotTotal; ++bar)
        points << QPointF(bar, (*ideal)[bar]);
    m_ideal->replace(points);
    if (!shown) {
        chart()->addSeries(m_ideal);
        m_ideal->attachAxis(m_slotAxis);
        m_ideal->attachAxis(m_countAxis);
    }
    fitCountAxis();
}

// The count axis reaches the highest bar, and the ideal line's peak while it shows.
void HistogramChart::fitCountAxis()
{
    double highest = m_highestBar;
    if (chart()->series().contains(m_ideal))
        for (const QPointF &point : m_ideal->points())
            highest = std::max(highest, point.y());
    const CountAxis axis = countAxisFor(int(std::ceil(highest)));
    m_countAxis->setTickInterval(axis.step);
    m_countAxis->setRange(0, axis.top);
}

void HistogramChart::placeSlotLabels()
{
    // Turned a quarter left, a label reads upwards and ends just below the
    // axis. Where slots are narrower than a line of text, every other slot
    // keeps its label (1, 3, ..., 31), so that none run together.
    const QRectF plot = chart()->plotArea();
    const qreal slotWidth = plot.width() / qreal(m_slotLabels.size());
    const int labelEvery = slotWidth >= m_slotLabels.first()->boundingRect().height() ? 1 : 2;
    for (int slot = 0; slot < m_slotLabels.size(); ++slot) {
        QGraphicsSimpleTextItem *label = m_slotLabels[slot];
        const QRectF text = label->boundingRect();
        label->setPos(plot.left() + slotWidth * (slot + 0.5) - text.height() / 2,
                      plot.bottom() + labelGap * m_textScale + text.width());
        label->setVisible(slot % labelEvery == 0);
    }
}

void HistogramChart::paintAt(QPainter &painter, const QSize &size, double textScale) const
{
    // A copy laid out at the size, never shown on screen.
    HistogramChart copy(objectName(), nullptr, textScale);
    copy.setAttribute(Qt::WA_DontShowOnScreen);
    copy.setBars(m_counts, m_labels);
    copy.setIdeal(m_idealCounts);
    copy.resize(size);
    copy.show();
    copy.chart()->layout()->activate();
    copy.scene()->render(&painter, QRectF(QPointF(0, 0), size), copy.sceneRect());
}

} // namespace kelvara
