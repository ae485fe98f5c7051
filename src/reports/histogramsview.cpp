// SPDX-License-Identifier: GPL-3.0-or-later
#include "reports/histogramsview.h"

#include "common/focusmark.h"
#include "common/preferences.h"
#include "common/zoom.h"
#include "core/histogramdata.h"
#include "core/idealhistogram.h"
#include "core/samplespread.h"
#include "core/sharedstate.h"
#include "core/subgrouprecord.h"
#include "reports/chartsaving.h"
#include "reports/frozencolumns.h"
#include "reports/histogramchart.h"

#include <QEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QResizeEvent>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>

namespace kelvara {
namespace {

constexpr int frozenColumnCount = 2; // Average and Range

const QString averagesCaption = QStringLiteral("Histogram of Subgroup Averages:");
const QString individualsCaption = QStringLiteral("Histogram of Individual Data Points:");

constexpr int chartMinimumWidth = 320;  // 31 bars of 9 pixels and the count axis
// The histograms give way down to this, 31 bars of 7 pixels, for a table that
// then shows all its columns.
constexpr int chartSmallestWidth = 260;

} // namespace

HistogramsView::HistogramsView(QWidget *parent)
    : QWidget(parent), m_heading(new QLabel(this)),
      m_table(new QTableWidget(this)),
      m_output(new QPushButton(QStringLiteral("&Output Data"), this)),
      m_back(new QPushButton(QStringLiteral("Back"), this)), m_copyMenu(new QMenu(this))
{
    setObjectName(QStringLiteral("Histogrampanel"));
    m_output->setObjectName(QStringLiteral("cmdHistoOutput"));
    m_back->setObjectName(QStringLiteral("histbackbutton"));
    m_table->setAccessibleName(QStringLiteral("Subgroup Data, Average & Range"));
    // With many readings the table scrolls, and its Average and Range stay in sight.
    new FrozenColumns(m_table, frozenColumnCount);

    m_heading->setTextFormat(Qt::PlainText);
    QFont headingFont = m_heading->font();
    headingFont.setBold(true);
    headingFont.setPointSizeF(headingFont.pointSizeF() * 1.3);
    m_heading->setFont(headingFont);

    m_copyMenu->setObjectName(QStringLiteral("mnuCP"));
    QAction *copyChart = m_copyMenu->addAction(QStringLiteral("Copy Chart"));
    copyChart->setObjectName(QStringLiteral("mnuCopyChart"));
    connect(copyChart, &QAction::triggered, this, [this] {
        if (m_graphToCopy)
            m_graphToCopy->copyToClipboard();
    });
    QAction *saveChartItem = m_copyMenu->addAction(QStringLiteral("Save Chart As..."));
    saveChartItem->setObjectName(QStringLiteral("mnuSaveChart"));
    connect(saveChartItem, &QAction::triggered, this, [this] {
        if (m_graphToCopy)
            saveChart(m_graphToCopy);
    });
    m_copyMenu->addSeparator();
    m_showIdeal = m_copyMenu->addAction(QStringLiteral("Show Ideal"));
    m_showIdeal->setObjectName(QStringLiteral("mnuShowIdeal"));
    m_showIdeal->setCheckable(true);
    m_showIdeal->setChecked(preferences::flag(preferences::showIdeal));
    connect(m_showIdeal, &QAction::toggled, this, [this](bool on) {
        preferences::setFlag(preferences::showIdeal, on);
        showIdeal();
    });
    auto *layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_heading, 0, 0, 1, 2);
    m_meanCaption = caption(averagesCaption);
    m_indCaption = caption(individualsCaption);
    layout->addWidget(m_meanCaption, 1, 0);
    layout->addWidget(m_indCaption, 3, 0);
    layout->addWidget(caption(QStringLiteral("Subgroup Data, Average & Range:")), 1, 1);
    layout->addWidget(m_table, 2, 1, 3, 1);
    layout->setRowStretch(2, 1);
    layout->setRowStretch(4, 1);
    // The table takes the width shareWidth() allows it, the histograms the rest.
    layout->setColumnStretch(1, 1);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_output);
    buttons->addWidget(m_back);
    layout->addLayout(buttons, 5, 0, 1, 2);
    connect(&zoom::notifier(), &zoom::Notifier::changed, this, &HistogramsView::followZoom);
    followZoom();
}

// Larger text wraps the heading and the captions, so that the view, standing
// in the board's place, leaves the control panel its room.
void HistogramsView::followZoom()
{
    for (QLabel *label : findChildren<QLabel *>(Qt::FindDirectChildrenOnly))
        if (label != m_meanComparison && label != m_indComparison)
            label->setWordWrap(zoom::factor() > 1.0);
}

// The charts are made when the view first opens: many lessons never open it,
// and the chart machinery is the heaviest part of the window to start.
void HistogramsView::createCharts()
{
    auto *grid = static_cast<QGridLayout *>(layout());
    m_meanGraph = new HistogramChart(QStringLiteral("meanGraph"), this);
    m_indGraph = new HistogramChart(QStringLiteral("indGraph"), this);
    m_meanGraph->setAccessibleName(QStringLiteral("Histogram of Subgroup Averages"));
    m_indGraph->setAccessibleName(QStringLiteral("Histogram of Individual Data Points"));
    m_meanComparison = comparisonLabel(QStringLiteral("meanIdealText"));
    m_indComparison = comparisonLabel(QStringLiteral("indIdealText"));
    // Each chart shares its cell with its comparison line, which takes no
    // room while it is hidden.
    for (const auto &[chart, comparison, row] : {std::tuple{m_meanGraph, m_meanComparison, 2},
                                                 std::tuple{m_indGraph, m_indComparison, 4}}) {
        auto *cell = new QVBoxLayout;
        cell->setContentsMargins(0, 0, 0, 0);
        cell->addWidget(chart);
        cell->addWidget(comparison);
        grid->addLayout(cell, row, 0);
    }
    markFocusOnTitle(m_meanGraph, m_meanCaption);
    markFocusOnTitle(m_indGraph, m_indCaption);
    for (HistogramChart *chart : {m_meanGraph, m_indGraph}) {
        chart->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Expanding);
        connect(chart, &HistogramChart::menuRequested, this,
                [this, chart](const QPoint &at) { openCopyMenu(chart, at); });
    }
}

void HistogramsView::showRun(const RunState &run, const SharedState &shared, const SubgroupRecord &record)
{
    if (!m_meanGraph)
        createCharts();
    fitTableToContents();
    m_table->scrollToTop();
    m_indGraph->setBars(individualCounts(run), slotLabels(shared.scale, shared.formats.reading));
    m_meanGraph->setBars(averageCounts(record, run.subgroupCount),
                         slotLabels(shared.scale, shared.formats.mean));
    m_origins = run.ballOrigins;
    m_record = &record;
    m_scale = shared.scale;
    m_subgroupSize = record.subgroupSize();
    m_subgroupCount = run.subgroupCount;
    showIdeal();
}

// The chart with its caption above and, while the ideal shows, its comparison below.
void HistogramsView::saveChart(HistogramChart *chart)
{
    const bool averages = chart == m_meanGraph;
    const QLabel *comparison = averages ? m_meanComparison : m_indComparison;
    ChartPicture picture;
    picture.title = averages ? averagesCaption : individualsCaption;
    picture.footing = comparison->isVisibleTo(this) ? comparison->text() : QString();
    picture.shownSize = chart->size();
    picture.paintChart = [chart](QPainter &painter, const QSize &size, double textScale) {
        chart->paintAt(painter, size, textScale);
    };
    saveChartAs(this, picture);
}

QLabel *HistogramsView::comparisonLabel(const QString &name)
{
    auto *label = new QLabel(this);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    // A long line wraps rather than widening the histograms into the table.
    label->setWordWrap(true);
    label->hide();
    return label;
}

// The ideal lines and their comparison lines, or none of them.
void HistogramsView::showIdeal()
{
    if (!m_meanGraph || !m_record)
        return;
    const bool shown = m_showIdeal->isChecked();
    m_meanComparison->setVisible(shown);
    m_indComparison->setVisible(shown);
    if (!shown) {
        m_meanGraph->setIdeal(std::nullopt);
        m_indGraph->setIdeal(std::nullopt);
        return;
    }
    const IdealHistogram averages = idealAverages(m_origins, m_subgroupSize, m_subgroupCount);
    const IdealHistogram individuals = idealIndividuals(m_origins);
    m_meanGraph->setIdeal(averages.counts);
    m_indGraph->setIdeal(individuals.counts);
    m_meanComparison->setText(idealComparison(averageSpread(*m_record, m_subgroupCount), averages, m_scale));
    m_indComparison->setText(idealComparison(readingSpread(*m_record, m_subgroupCount), individuals, m_scale));
}

// The table's widths: with every column, and scrolling, with room for its
// widest reading beside the frozen columns. The last column leaves room for
// the frozen copy's border.
void HistogramsView::fitTableToContents()
{
    m_table->resizeColumnsToContents();
    const int columns = m_table->columnCount();
    const int firstFrozen = std::max(columns - frozenColumnCount, 0);
    if (columns > 0)
        m_table->setColumnWidth(columns - 1, m_table->columnWidth(columns - 1) + FrozenColumns::borderWidth);
    int readings = 0;
    int widestReading = 0;
    for (int column = 0; column < firstFrozen; ++column) {
        readings += m_table->columnWidth(column);
        widestReading = std::max(widestReading, m_table->columnWidth(column));
    }
    int frozen = 0;
    for (int column = firstFrozen; column < columns; ++column)
        frozen += m_table->columnWidth(column);
    const int frame = 2 * m_table->frameWidth() + m_table->verticalScrollBar()->sizeHint().width();
    m_tableContentWidth = frame + readings + frozen;
    m_tableScrollingWidth = frame + widestReading + frozen;
    shareWidth();
}

// The table shows all its columns when the histograms can give way to it;
// otherwise it scrolls beside histograms of their usual width, its readings
// passing one by one beside the frozen Average and Range.
void HistogramsView::shareWidth()
{
    const int spare = width() - layout()->spacing();
    const bool whole = m_tableContentWidth <= spare - chartSmallestWidth;
    m_table->setMaximumWidth(whole ? m_tableContentWidth : std::max(spare - chartMinimumWidth, m_tableScrollingWidth));
}

void HistogramsView::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    shareWidth();
}

void HistogramsView::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::WindowTitleChange)
        m_heading->setText(windowTitle().trimmed());
    QWidget::changeEvent(event);
}

QLabel *HistogramsView::caption(const QString &text)
{
    auto *label = new QLabel(text, this);
    label->setTextFormat(Qt::PlainText);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

void HistogramsView::openCopyMenu(HistogramChart *chart, const QPoint &globalPosition)
{
    // One request opens one menu, however many events the platform sent for it.
    if (m_copyMenu->isVisible())
        return;
    m_graphToCopy = chart;
    m_copyMenu->exec(globalPosition);
    m_graphToCopy = nullptr;
}

// Esc leaves the view, as its Back button does.
void HistogramsView::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && m_back->isEnabled()) {
        m_back->click();
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace kelvara
