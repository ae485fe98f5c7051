// SPDX-License-Identifier: GPL-3.0-or-later
#include "reports/funnelrunchart.h"

#include "common/zoom.h"
#include "core/runstate.h"

#include <QGraphicsLayout>
#include <QLegend>
#include <QLineSeries>
#include <QValueAxis>

#include <algorithm>

namespace kelvara {
namespace {

// Rule 3's wide swing is drawn see-through, so rules 1 and 2 show beneath it.
const std::array<QColor, funnelRuleCount> ruleColours{QColor(0, 0, 128), QColor(0, 140, 0), QColor(230, 120, 0, 130),
                                                      QColor(200, 0, 0)};
constexpr double labelPoints = 9.0; // at the normal text size

} // namespace

FunnelRunChart::FunnelRunChart(QWidget *parent, double textScale)
    : MenuChartView(parent), m_textScale(textScale), m_ballAxis(new QValueAxis), m_slotAxis(new QValueAxis)
{
    setObjectName(QStringLiteral("funnelRunChart"));
    setRenderHint(QPainter::Antialiasing);
    setFrameShape(QFrame::NoFrame);
    auto *chart = new QChart;
    chart->setBackgroundRoundness(0);
    chart->layout()->setContentsMargins(0, 0, 0, 0);
    m_ballAxis->setTitleText(QStringLiteral("Ball"));
    m_ballAxis->setLabelFormat(QStringLiteral("%d"));
    m_slotAxis->setTitleText(QStringLiteral("Slot"));
    m_slotAxis->setLabelFormat(QStringLiteral("%d"));
    m_slotAxis->setRange(1, slotTotal);
    m_slotAxis->setTickType(QValueAxis::TicksDynamic);
    m_slotAxis->setTickAnchor(1);
    m_slotAxis->setTickInterval(10);
    chart->addAxis(m_ballAxis, Qt::AlignBottom);
    chart->addAxis(m_slotAxis, Qt::AlignLeft);
    for (int rule = 0; rule < funnelRuleCount; ++rule) {
        auto *line = new QLineSeries;
        line->setName(QStringLiteral("Rule %1").arg(rule + 1));
        line->setPen(QPen(ruleColours[std::size_t(rule)], 1.5 * m_textScale));
        chart->addSeries(line);
        line->attachAxis(m_ballAxis);
        line->attachAxis(m_slotAxis);
        m_lines[std::size_t(rule)] = line;
    }
    // Beside the lines, the legend leaves them the chart's height.
    chart->legend()->setAlignment(Qt::AlignRight);
    // The view came with an empty chart of its own, which it stops owning once replaced.
    QChart *placeholder = this->chart();
    setChart(chart);
    delete placeholder;
    connect(&zoom::notifier(), &zoom::Notifier::changed, this, &FunnelRunChart::followZoom);
    followZoom();
}

void FunnelRunChart::followZoom()
{
    QFont font;
    font.setPointSizeF(labelPoints * zoom::factor() * m_textScale);
    for (QValueAxis *axis : {m_ballAxis, m_slotAxis}) {
        axis->setLabelsFont(font);
        axis->setTitleFont(font);
    }
    chart()->legend()->setFont(font);
}

void FunnelRunChart::setLandings(const Landings &landings, int balls)
{
    m_landings = landings;
    m_balls = balls;
    for (std::size_t rule = 0; rule < m_lines.size(); ++rule) {
        QList<QPointF> points;
        const std::size_t shown = std::min(landings[rule].size(), std::size_t(std::max(balls, 0)));
        points.reserve(qsizetype(shown));
        for (std::size_t ball = 0; ball < shown; ++ball)
            points << QPointF(double(ball + 1), landings[rule][ball]);
        m_lines[rule]->replace(points);
    }
    m_ballAxis->setRange(1, std::max(balls, 2));
}

void FunnelRunChart::paintAt(QPainter &painter, const QSize &size, double textScale) const
{
    // A copy laid out at the size, never shown on screen.
    FunnelRunChart copy(nullptr, textScale);
    copy.setAttribute(Qt::WA_DontShowOnScreen);
    copy.setLandings(m_landings, m_balls);
    copy.resize(size);
    copy.show();
    copy.chart()->layout()->activate();
    copy.scene()->render(&painter, QRectF(QPointF(0, 0), size), copy.sceneRect());
}

} // namespace kelvara
