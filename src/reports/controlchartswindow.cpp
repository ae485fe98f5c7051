// SPDX-License-Identifier: GPL-3.0-or-later
#include "reports/controlchartswindow.h"

#include "common/focusmark.h"
#include "common/messages.h"
#include "common/popupmenus.h"
#include "common/preferences.h"
#include "common/sharedstore.h"
#include "common/waits.h"
#include "common/windowplacement.h"
#include "common/zoom.h"
#include "core/chartframe.h"
#include "core/controllimits.h"
#include "core/displayformats.h"
#include "core/labelplacement.h"
#include "core/numberformat.h"
#include "core/numeric.h"
#include "core/quincunxrun.h"
#include "core/signaltexts.h"
#include "core/spokendescriptions.h"
#include "core/subgrouprecord.h"
#include "core/texttable.h"
#include "reports/chartsaving.h"
#include "reports/signalpanel.h"
#include "surface/drawingsurface.h"
#include "surface/palette.h"

#include <QAccessible>
#include <QClipboard>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace kelvara {
namespace {

// Both charts run from x = -2 at the left edge to 12 at the right; subgroup i
// of a page lies at x = i - first. A subgroup at x = 12 would be cut in half
// by the edge, so a page shows the twelve places that fit whole, x = 0 to 11.
constexpr double chartLeft = -2.0;
constexpr double chartRight = 12.0;
constexpr double axisEnd = 12.0;
constexpr double lastPlace = 11.0;
constexpr double controlLineEnd = 25.0;
constexpr double tickEnd = -0.1;
// Where the value labels end, left of the value axis.
constexpr double xLabelRight = -0.2;
constexpr double rLabelRight = -0.1;
constexpr int subgroupsBeforeLastOnPage = 10;

// The upper chart is the taller of the two. Text and pens have their nominal
// size at the reference heights, which keep the charts' proportion, so the
// text of both charts comes out the same size.
constexpr int upperChartShare = 2055;
constexpr int lowerChartShare = 1455;
constexpr int upperReferenceHeight = 300;
constexpr int lowerReferenceHeight = upperReferenceHeight * lowerChartShare / upperChartShare;
constexpr int upperMinimumHeight = 160;
constexpr int chartMinimumWidth = 320;
constexpr double labelPoints = 11.0;
// Text stops shrinking here, so a small window stays readable.
constexpr double minimumLabelPixels = 12.0;

// Colours of the 16-colour palette.
constexpr int axisColour = 0;
constexpr int pointColour = 1;
constexpr int centreColour = 9;
constexpr int limitColour = 12;
constexpr int signalColour = 12;

// Pen widths in pixels at the reference height.
constexpr int pointWidth = 4;
constexpr int limitWidth = 2;
constexpr int signalWidth = 9;

// The error number of a clipboard that cannot be opened, the one failure Qt's
// clipboard can show: it does not take the picture. Its report starts with "#";
// the same text without it would be for any other error, which Qt never raises.
constexpr int clipboardRefused = 521;
constexpr int clipboardRetries = 10;
const QString clipboardRefusedReport = QStringLiteral("#Error in sending Control Chart picture to clipboard.");

QLabel *titleLabel(const QString &name, QWidget *parent, bool bold)
{
    auto *label = new QLabel(parent);
    label->setObjectName(name);
    QFont font = label->font();
    font.setBold(bold);
    font.setPointSizeF(font.pointSizeF() * 1.3);
    label->setFont(font);
    return label;
}

// A chart holds its five value labels clear of one another at any zoom.
int minimumChartHeight(int referenceHeight)
{
    return qRound(upperMinimumHeight * referenceHeight / double(upperReferenceHeight) * zoom::factor());
}

DrawingSurface *chartPicture(const QString &name, QWidget *parent, int referenceHeight)
{
    auto *picture = new DrawingSurface(parent);
    picture->setObjectName(name);
    picture->setBackColor(QColor(255, 255, 204));
    picture->setReferenceHeight(referenceHeight);
    picture->setMinimumSize(chartMinimumWidth, minimumChartHeight(referenceHeight));
    picture->installEventFilter(parent);
    // A keyboard user reaches the chart, and its menu, with Tab; a click
    // leaves the focus where it was, as it always did.
    picture->setFocusPolicy(Qt::TabFocus);
    return picture;
}

// A line of text as a fraction of the picture's height: fonts grow with the
// picture, so this does not depend on its size or its scale.
double textFraction(const DrawingSurface &chart)
{
    return std::abs(chart.textHeight(QStringLiteral("H")) / chart.scaleHeight());
}

// Label size in points for a chart shown `growth` times its reference height.
double labelPointsAt(double growth)
{
    constexpr double pointsPerPixel = 72.0 / 96.0;
    return std::max(labelPoints, minimumLabelPixels * pointsPerPixel / growth);
}

// Centred on x, but starting no further left than `leftmost`.
void printCentred(DrawingSurface &chart, const QString &text, double x, double top,
                  double leftmost = chartLeft)
{
    chart.setCurrentX(std::max(x - chart.textWidth(text) / 2.0, leftmost));
    chart.setCurrentY(top);
    chart.print(text);
}

} // namespace

ControlChartsWindow::ControlChartsWindow(const QuincunxRun &run, const TextTable &shownTable, QWidget *parent)
    : QWidget(parent, Qt::Window), m_run(run), m_shownTable(shownTable),
      m_xTitle(titleLabel(QStringLiteral("xcharttitle"), this, true)),
      m_xValues(titleLabel(QStringLiteral("xvaluestitle"), this, false)),
      m_rTitle(titleLabel(QStringLiteral("rcharttitle"), this, true)),
      m_rValues(titleLabel(QStringLiteral("rvaluestitle"), this, false)),
      m_xChart(chartPicture(QStringLiteral("xchartpicture"), this, upperReferenceHeight)),
      m_rChart(chartPicture(QStringLiteral("rchartpicture"), this, lowerReferenceHeight)),
      m_fastLeft(pagingButton(QStringLiteral("chartfastlbutton"), tr("Back ten subgroups"), Qt::LeftArrow, true)),
      m_left(pagingButton(QStringLiteral("chartlbutton"), tr("Back one subgroup"), Qt::LeftArrow, false)),
      m_right(pagingButton(QStringLiteral("chartrbutton"), tr("Forward one subgroup"), Qt::RightArrow, false)),
      m_fastRight(pagingButton(QStringLiteral("chartfastrbutton"), tr("Forward ten subgroups"), Qt::RightArrow, true)),
      m_close(new QPushButton(QStringLiteral("Close"), this)),
      m_signalPanel(new SignalPanel(this))
{
    setObjectName(QStringLiteral("frmCtrlChrt"));
    setWindowTitle(QStringLiteral("Control Charts"));
    m_close->setObjectName(QStringLiteral("chartpanelclosebutton"));
    buildLayout();
    buildMenu();
    connectControls();
    m_bounds = ChartBounds::startFor(sharedStore().state().scale);
    connect(&sharedStore(), &SharedStore::scaleChanged, this, &ControlChartsWindow::followScale);
    fitOnScreen(this, QSize(760, 620));
    // The main window draws into the charts long before they are first shown;
    // laying them out now gives that drawing the charts' real proportions.
    layout()->activate();
    setupXBarChart();
    setupRChart();
    connect(&zoom::notifier(), &zoom::Notifier::changed, this, &ControlChartsWindow::followZoom);
    if (zoom::factor() != 1.0)
        followZoom();
}

// The charts' text grows with the zoom; the page on show is drawn again with it.
void ControlChartsWindow::followZoom()
{
    for (DrawingSurface *chart : {m_xChart, m_rChart}) {
        chart->setMinimumTextPixels(zoom::minimumTextPixels(), true);
        chart->setMinimumHeight(minimumChartHeight(chart == m_xChart ? upperReferenceHeight : lowerReferenceHeight));
    }
    m_signalPanel->keepDetectionLine();
    redrawInPlace();
}

void ControlChartsWindow::buildLayout()
{
    auto *layout = new QVBoxLayout(this);
    const auto titleRow = [&](QLabel *title, QLabel *values) {
        auto *row = new QHBoxLayout;
        row->addWidget(title);
        row->addSpacing(12);
        row->addWidget(values, 1);
        layout->addLayout(row);
    };
    markFocusOnTitle(m_xChart, m_xTitle);
    markFocusOnTitle(m_rChart, m_rTitle);
    titleRow(m_xTitle, m_xValues);
    layout->addWidget(m_xChart, upperChartShare);
    titleRow(m_rTitle, m_rValues);
    layout->addWidget(m_rChart, lowerChartShare);
    layout->addWidget(m_signalPanel);
    auto *buttons = new QHBoxLayout;
    for (QToolButton *button : {m_fastLeft, m_left, m_right, m_fastRight})
        buttons->addWidget(button);
    buttons->addStretch(1);
    buttons->addWidget(m_close);
    layout->addLayout(buttons);
}

void ControlChartsWindow::buildMenu()
{
    m_mnuCP = new QMenu(this);
    m_mnuCP->setObjectName(QStringLiteral("mnuCP"));
    m_mnuCopyChart = m_mnuCP->addAction(QStringLiteral("Copy Chart"));
    m_mnuCopyChart->setObjectName(QStringLiteral("mnuCopyChart"));
    m_mnuSaveChart = m_mnuCP->addAction(QStringLiteral("Save Chart As..."));
    m_mnuSaveChart->setObjectName(QStringLiteral("mnuSaveChart"));
    addRunRulesItem();
    m_mnuCP->addSeparator();
    m_mnuRunLengthLab = m_mnuCP->addAction(QStringLiteral("Run Length Lab..."));
    m_mnuRunLengthLab->setObjectName(QStringLiteral("mnuRunLengthLab"));
    connect(m_mnuRunLengthLab, &QAction::triggered, this, &ControlChartsWindow::runLengthLabRequested);
}

// The run rules start as the user last left them.
void ControlChartsWindow::addRunRulesItem()
{
    m_mnuCP->addSeparator();
    m_mnuShowRunRules = m_mnuCP->addAction(QStringLiteral("Show Run Rules"));
    m_mnuShowRunRules->setObjectName(QStringLiteral("mnuShowRunRules"));
    m_mnuShowRunRules->setCheckable(true);
    m_mnuShowRunRules->setChecked(preferences::flag(preferences::showRunRules));
    m_signalPanel->setVisible(m_mnuShowRunRules->isChecked());
    connect(m_mnuShowRunRules, &QAction::triggered, this, &ControlChartsWindow::mnuShowRunRules_Click);
    connect(m_signalPanel, &SignalPanel::subgroupChosen, this, &ControlChartsWindow::showSubgroup);
}

void ControlChartsWindow::connectControls()
{
    connect(m_close, &QPushButton::clicked, this, &QWidget::hide);
    connect(m_left, &QToolButton::clicked, this, &ControlChartsWindow::chartlbutton_Click);
    connect(m_fastLeft, &QToolButton::clicked, this, &ControlChartsWindow::chartfastlbutton_Click);
    connect(m_right, &QToolButton::clicked, this, &ControlChartsWindow::chartrbutton_Click);
    connect(m_fastRight, &QToolButton::clicked, this, &ControlChartsWindow::chartfastrbutton_Click);
    connect(m_mnuCopyChart, &QAction::triggered, this, &ControlChartsWindow::mnuCopyChart_Click);
    connect(m_mnuSaveChart, &QAction::triggered, this, &ControlChartsWindow::mnuSaveChart_Click);
}

QToolButton *ControlChartsWindow::pagingButton(const QString &name, const QString &hint,
                                               Qt::ArrowType arrow, bool fast)
{
    auto *button = new QToolButton(this);
    button->setObjectName(name);
    button->setArrowType(arrow);
    button->setToolTip(hint);
    button->setAccessibleName(hint);
    button->setToolButtonStyle(fast ? Qt::ToolButtonTextBesideIcon : Qt::ToolButtonIconOnly);
    if (fast)
        button->setText(QStringLiteral("10"));
    return button;
}

void ControlChartsWindow::setChartTitles(int subgroupSize)
{
    const bool individuals = subgroupSize == 1;
    m_xTitle->setText(individuals ? QStringLiteral("X Chart:") : QStringLiteral("XBar Chart:"));
    m_rTitle->setText(individuals ? QStringLiteral("MR Chart:") : QStringLiteral("R Chart:"));
    m_xChart->setAccessibleName(m_xTitle->text().chopped(1));
    m_rChart->setAccessibleName(m_rTitle->text().chopped(1));
}

void ControlChartsWindow::setValueTitles(const QString &xValues, const QString &rValues)
{
    m_xValues->setText(xValues);
    m_rValues->setText(rValues);
    describePage();
}

double ControlChartsWindow::growth(const DrawingSurface &chart) const
{
    const int reference = &chart == m_xChart ? upperReferenceHeight : lowerReferenceHeight;
    return std::max(chart.height(), 1) / double(reference);
}

// Pens widen with the picture, so lines and points stay plain on a projector.
int ControlChartsWindow::penWidth(const DrawingSurface &chart, int nominal) const
{
    return std::max(nominal, qRound(nominal * growth(chart)));
}

void ControlChartsWindow::setupXBarChart()
{
    drawXBarFrame(m_bounds);
}

void ControlChartsWindow::setupRChart()
{
    drawRFrame(m_bounds);
}

void ControlChartsWindow::drawXBarFrame(const ChartBounds &bounds)
{
    m_xChart->setFontSize(labelPointsAt(growth(*m_xChart)));
    const ChartFrame frame = xBarChartFrame(bounds.maxX, bounds.minX, textFraction(*m_xChart));
    m_xChartBase = frame.base;
    drawFrame(*m_xChart, frame, xLabelRight);
}

void ControlChartsWindow::drawRFrame(const ChartBounds &bounds)
{
    m_rChart->setFontSize(labelPointsAt(growth(*m_rChart)));
    drawFrame(*m_rChart, rangeChartFrame(bounds.maxR, textFraction(*m_rChart)), rLabelRight);
}

void ControlChartsWindow::drawFrame(DrawingSurface &chart, const ChartFrame &frame, double labelRight)
{
    chart.cls();
    chart.setScale(chartLeft, frame.top, chartRight, frame.bottom);
    chart.setForeColor(qbColor(axisColour));
    chart.setDrawWidth(penWidth(chart, 1));
    chart.line(0, frame.base, axisEnd, frame.base);
    chart.line(0, frame.base, 0, frame.top);
    // Labels are centred on their gridline. Zoomed text would reach the
    // first subgroup number below the axis, so there the lowest sits on it.
    const double labelHeight = std::abs(chart.textHeight(QStringLiteral("H")));
    for (int i = 0; i <= 4; ++i) {
        const double y = frame.gridline(i);
        chart.line(0, y, tickEnd, y);
        const QString label = formatNumber(y, gridlineFormat);
        chart.setCurrentX(labelRight - chart.textWidth(label));
        const bool onTheAxis = i == 0 && zoom::factor() > 1.0;
        chart.setCurrentY(y + labelHeight * (onTheAxis ? 1.0 : 0.5));
        chart.print(label);
    }
}

void ControlChartsWindow::resetCharts()
{
    m_page = Page{};
    m_signalsListed = 0;
    m_signalPanel->clear();
    m_pageDrawn = true;
    setupXBarChart();
    setupRChart();
    describePage();
}

void ControlChartsWindow::showPage(int first)
{
    m_firstSubgroup = first;
    drawcharts(first);
}

void ControlChartsWindow::drawcharts(int first)
{
    if (first < 1)
        return;
    const SharedState &state = sharedStore().state();
    const int n = m_run.subgroupSize();
    const int last = completedRows();
    Page page;
    page.first = first;
    page.limitsFixed = m_run.limitsFixed();
    page.centre = m_run.state().xBarBar;
    page.meanRange = m_run.state().rBar;
    page.limits = m_run.controlLimits();
    page.x = readColumn(SubgroupRecord::averageColumn(n), first, first, last, [this, &state](float v) {
        m_bounds.trackMaxX(v, state.scale);
        m_bounds.trackMinX(v, state.scale);
    });
    // The first of single readings has no moving range.
    const int firstRange = n == 1 && first == 1 ? 2 : first;
    page.r = readColumn(SubgroupRecord::rangeColumn(n), firstRange, first, last, [this, &state](float v) {
        m_bounds.trackMaxR(v, state.scale);
    });
    // The frame takes in the page's values and the limits, also after a new
    // scale has set the bounds back, so that everything shows the first time.
    if (page.limitsFixed)
        takeInLimits(m_bounds, page.limits, state.scale);
    page.frameBounds = m_bounds;
    m_page = std::move(page);
    m_pageDrawn = false;
    if (m_page.limitsFixed && rulesShown())
        showSignals();
    if (!m_run.state().isRunning || QAccessible::isActive())
        describePage();
    if (isVisible())
        drawPage();
}

// Each chart tells a screen reader the subgroups it shows, its limits, its
// newest point on show and, while the rules are shown, the page's signals.
void ControlChartsWindow::describePage()
{
    const int n = m_run.subgroupSize();
    const auto describe = [this, n](DrawingSurface *chart, const QList<QPointF> &points, const QLabel *values, int column) {
        ChartPageSummary summary;
        summary.chart = chart->accessibleName();
        summary.subgroups = m_run.state().subgroupCount;
        summary.limits = values->text();
        summary.rulesShown = rulesShown() && m_page.limitsFixed;
        if (!points.isEmpty()) {
            summary.first = m_page.first + int(points.first().x());
            summary.last = m_page.first + int(points.last().x());
            summary.latestValue = m_shownTable.text(summary.last, column);
        }
        const SignalChart kind = chart == m_xChart ? SignalChart::Mean : SignalChart::Range;
        for (int subgroup = summary.first; summary.rulesShown && subgroup <= summary.last; ++subgroup)
            if (const RuleSet rules = m_run.runSignals().rulesAt(kind, subgroup))
                summary.ruleBreaks << signalText({subgroup, kind, rules}, n);
        chart->setAccessibleDescription(describeChartPage(summary));
    };
    describe(m_xChart, m_page.x, m_xValues, SubgroupRecord::averageColumn(n));
    describe(m_rChart, m_page.r, m_rValues, SubgroupRecord::rangeColumn(n));
}

// The page's points (i - first, value) of a column, from row `from` on. Every
// value up to the last row goes through `track`, which widens the bounds.
QList<QPointF> ControlChartsWindow::readColumn(int column, int from, int first, int last,
                                               const std::function<void(float)> &track) const
{
    const SubgroupRecord &record = m_run.record();
    QList<QPointF> points;
    for (int i = from; i <= last; ++i) {
        const float value = record.measurement(i, column);
        track(value);
        if (i - first <= lastPlace)
            points.append(QPointF(i - first, value));
    }
    return points;
}

void ControlChartsWindow::drawPage()
{
    if (m_pageDrawn)
        return;
    m_pageDrawn = true;
    drawXBarFrame(m_page.frameBounds);
    const bool flagSignals = m_page.limitsFixed && rulesShown();
    if (m_page.limitsFixed)
        drawControlLines(*m_xChart, m_page.centre, m_page.limits.uclX, m_page.limits.lclX);
    if (flagSignals)
        drawZoneLines();
    plotPoints(*m_xChart, m_page.x, m_xChartBase, xLabelRight);
    if (flagSignals)
        markSignals(*m_xChart, m_page.x, SignalChart::Mean);
    drawRFrame(m_page.frameBounds);
    if (m_page.limitsFixed)
        drawControlLines(*m_rChart, m_page.meanRange, m_page.limits.uclR, m_page.limits.lclR);
    plotPoints(*m_rChart, m_page.r, 0.0, rLabelRight);
    if (flagSignals)
        markSignals(*m_rChart, m_page.r, SignalChart::Range);
    m_xChart->refresh();
    m_rChart->refresh();
}

void ControlChartsWindow::drawControlLines(DrawingSurface &chart, float centre, float upper, float lower)
{
    chart.line(0, centre, controlLineEnd, centre, qbColor(centreColour));
    chart.setDrawWidth(penWidth(chart, limitWidth));
    chart.line(0, upper, controlLineEnd, upper, qbColor(limitColour));
    chart.line(0, lower, controlLineEnd, lower, qbColor(limitColour));
    chart.setDrawWidth(penWidth(chart, 1));
}

// The points joined by lines, each with its subgroup number below the axis.
void ControlChartsWindow::plotPoints(DrawingSurface &chart, const QList<QPointF> &points, double numberTop,
                                     double labelRight)
{
    for (qsizetype i = 0; i < points.size(); ++i) {
        const QPointF &point = points[i];
        chart.setDrawWidth(penWidth(chart, pointWidth));
        chart.pset(point.x(), point.y(), qbColor(pointColour));
        chart.setDrawWidth(penWidth(chart, 1));
        if (i > 0)
            chart.line(points[i - 1].x(), points[i - 1].y(), point.x(), point.y(), qbColor(pointColour));
        chart.setForeColor(qbColor(centreColour));
        // The first number stays clear of the lowest value label beside it.
        printCentred(chart, QString::number(m_page.first + int(point.x())), point.x(), numberTop, labelRight);
        chart.setForeColor(qbColor(axisColour));
    }
}

// Between the balls of a subgroup its row is open, without average or range
// yet: only the completed rows are plotted.
int ControlChartsWindow::completedRows() const
{
    return std::min<int>(m_run.state().subgroupCount, m_run.record().rowCount());
}

bool ControlChartsWindow::rulesShown() const
{
    return m_mnuShowRunRules->isChecked();
}

// The panel adds the signals found since it last listed; resetCharts empties it.
void ControlChartsWindow::showSignals()
{
    const QList<RunSignal> &found = m_run.runSignals().list();
    const qsizetype from = std::min(m_signalsListed, found.size());
    m_signalPanel->listSignals(found, from, m_run.subgroupSize());
    m_signalsListed = found.size();
    m_signalPanel->setDetection(detectionText(m_run.state().processChangedAfter, m_run.firstSignalAfterChange()));
}

ChartLines ControlChartsWindow::pageLines(SignalChart kind) const
{
    if (kind == SignalChart::Mean)
        return {m_page.centre, m_page.limits.uclX, m_page.limits.lclX};
    return {m_page.meanRange, m_page.limits.uclR, m_page.limits.lclR};
}

// The 1- and 2-sigma lines either side of the upper chart's centre line.
std::vector<double> ControlChartsWindow::zoneLines() const
{
    std::vector<double> values;
    for (int side : {+1, -1})
        for (int j : {1, 2})
            values.push_back(zoneLine(pageLines(SignalChart::Mean), side, j));
    return values;
}

// The zone lines, dotted, so the class sees what rules 2 and 3 count.
void ControlChartsWindow::drawZoneLines()
{
    m_xChart->setDrawStyle(Qt::DotLine);
    for (const double y : zoneLines())
        m_xChart->line(0, y, controlLineEnd, y, qbColor(centreColour));
    m_xChart->setDrawStyle(Qt::SolidLine);
}

// A point that breaks a rule becomes a larger red dot with the numbers of its
// rules beside it, above or below, where no line and no other point's numbers
// run through them, and right of the value axis.
void ControlChartsWindow::markSignals(DrawingSurface &chart, const QList<QPointF> &points, SignalChart kind)
{
    const int dotWidth = penWidth(chart, signalWidth);
    const double unitsPerPixel = std::abs(chart.scaleHeight()) / std::max(chart.height(), 1);
    const double xUnitsPerPixel = std::abs(chart.scaleWidth()) / std::max(chart.width(), 1);
    const double gap = (dotWidth / 2.0 + 2.0) * unitsPerPixel;
    const double textHeight = std::abs(chart.textHeight(QStringLiteral("H")));
    LabelRoom room = labelRoom(kind);
    room.highest = chart.scaleTop();
    room.lineClearance = (penWidth(chart, limitWidth) / 2.0 + 2.0) * unitsPerPixel;
    const double leftmost = (penWidth(chart, 1) + 2.0) * xUnitsPerPixel;
    const double rightmost = chartRight - 2.0 * xUnitsPerPixel;
    chart.setForeColor(qbColor(signalColour));
    QList<QRectF> placed; // the numbers so far, x across and y from bottom to top
    for (const QPointF &point : points) {
        const RuleSet rules = m_run.runSignals().rulesAt(kind, m_page.first + int(point.x()));
        if (!rules)
            continue;
        chart.setDrawWidth(dotWidth);
        chart.pset(point.x(), point.y(), qbColor(signalColour));
        const QString numbers = ruleNumbers(rules, QStringLiteral(","));
        const double width = chart.textWidth(numbers);
        const double left = std::clamp(point.x() - width / 2.0, leftmost, std::max(leftmost, rightmost - width));
        LabelRoom here = room;
        for (const QRectF &other : placed)
            if (other.left() < left + width && left < other.right())
                here.lines.insert(here.lines.end(), {other.top(), other.bottom()});
        const double top = labelTopBeside(point.y(), gap, textHeight, here);
        placed.append(QRectF(left, top - textHeight, width, textHeight));
        chart.setCurrentX(left);
        chart.setCurrentY(top);
        chart.print(numbers);
    }
    chart.setDrawWidth(penWidth(chart, 1));
    chart.setForeColor(qbColor(axisColour));
}

// The lines a chart's rule numbers keep clear of: its axis, centre line and
// limits, and on the upper chart the zone lines; and its axis as the floor.
LabelRoom ControlChartsWindow::labelRoom(SignalChart kind) const
{
    const ChartLines lines = pageLines(kind);
    LabelRoom room;
    room.lowest = kind == SignalChart::Mean ? m_xChartBase : 0.0;
    room.lines = {room.lowest, lines.centre, lines.upper, lines.lower};
    if (kind == SignalChart::Mean)
        for (const double y : zoneLines())
            room.lines.push_back(y);
    return room;
}

void ControlChartsWindow::mnuShowRunRules_Click()
{
    const bool shown = rulesShown();
    preferences::setFlag(preferences::showRunRules, shown);
    m_signalPanel->setVisible(shown);
    layout()->activate();
    redrawInPlace();
}

void ControlChartsWindow::showSubgroup(int subgroup)
{
    const int newestFirst = m_run.state().subgroupCount - subgroupsBeforeLastOnPage;
    const int centred = subgroup - subgroupsBeforeLastOnPage / 2;
    showPage(std::max(1, std::min(centred, newestFirst)));
}

DrawingSurface *ControlChartsWindow::xChart()
{
    drawPage();
    return m_xChart;
}

DrawingSurface *ControlChartsWindow::rChart()
{
    drawPage();
    return m_rChart;
}

void ControlChartsWindow::showEvent(QShowEvent *event)
{
    // A zoom while the window was hidden may have grown it where it stood.
    keepOnScreen(this);
    drawPage();
    QWidget::showEvent(event);
}

void ControlChartsWindow::chartlbutton_Click()
{
    pageBack(1);
}

void ControlChartsWindow::chartfastlbutton_Click()
{
    pageBack(10);
}

void ControlChartsWindow::chartrbutton_Click()
{
    pageForward(1);
}

void ControlChartsWindow::chartfastrbutton_Click()
{
    pageForward(10);
}

void ControlChartsWindow::pageBack(int step)
{
    if (m_run.state().subgroupCount <= 0)
        return;
    showPage(std::max(1, m_firstSubgroup - step));
}

// Forward stops at the page that ends with the newest subgroup; with ten
// subgroups or fewer that page would start before the first, and nothing is
// drawn.
void ControlChartsWindow::pageForward(int step)
{
    const int subgroups = m_run.state().subgroupCount;
    if (subgroups <= 0)
        return;
    int next = m_firstSubgroup + step;
    if (next + subgroupsBeforeLastOnPage > subgroups)
        next = subgroups - subgroupsBeforeLastOnPage;
    showPage(next);
}

void ControlChartsWindow::followScale(const ScaleChange &change)
{
    if (!change.chartsRestart)
        return;
    m_bounds = ChartBounds::startFor(sharedStore().state().scale);
    resetCharts();
}

void ControlChartsWindow::mnuCopyChart_Click()
{
    if (m_chartToCopy == 1)
        copyChart(*xChart());
    else if (m_chartToCopy == 2)
        copyChart(*rChart());
}

// The chart the menu was opened on, with its title and limit values above it.
void ControlChartsWindow::mnuSaveChart_Click()
{
    if (m_chartToCopy != 1 && m_chartToCopy != 2)
        return;
    const bool upper = m_chartToCopy == 1;
    DrawingSurface *chart = upper ? xChart() : rChart();
    ChartPicture picture;
    picture.title = (upper ? m_xTitle : m_rTitle)->text();
    picture.values = (upper ? m_xValues : m_rValues)->text();
    picture.shownSize = chart->size();
    picture.paintChart = [chart](QPainter &painter, const QSize &size, double) { chart->paintPicture(painter, size); };
    saveChartAs(this, picture);
}

// The pauses give clipboard viewers time to catch up between the steps. A
// clipboard that does not hold the picture afterwards is busy or missing: the
// copy tries again every 100 ms, and reports it after ten more tries.
void ControlChartsWindow::copyChart(DrawingSurface &chart)
{
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    waitSeconds(0.1);
    const QImage picture = chart.picture();
    for (int retries = 0; retries <= clipboardRetries; ++retries) {
        if (retries > 0)
            waitSeconds(0.1);
        clipboard->setImage(picture);
        waitSeconds(0.1);
        const QMimeData *held = clipboard->mimeData();
        if (held && held->hasImage())
            return;
    }
    recordError(clipboardRefused, QStringLiteral("The clipboard did not take the picture."));
    reportError(clipboardRefusedReport, this);
}

void ControlChartsWindow::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        hide();
        return;
    }
    QWidget::keyPressEvent(event);
}

// A resize redraws the page on show in the charts' new shape: text sizes
// follow the height, and labels measured for the old shape would no longer
// end where they should. The page stays, so the subgroups the user was
// looking at stay in sight.
void ControlChartsWindow::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    // Larger text may widen the window: it stays on the screen.
    if (isVisible())
        keepOnScreen(this);
    redrawInPlace();
}

// Draws the page on show again, in the charts' present shape.
void ControlChartsWindow::redrawInPlace()
{
    if (m_page.first >= 1) {
        drawcharts(m_page.first);
    } else {
        setupXBarChart();
        setupRChart();
    }
}

bool ControlChartsWindow::eventFilter(QObject *watched, QEvent *event)
{
    const bool onChart = watched == m_xChart || watched == m_rChart;
    // A chart painted while the window is hidden (a grab) shows the page too.
    if (onChart && event->type() == QEvent::Paint)
        drawPage();
    if (onChart) {
        if (const auto at = popupmenus::requestedAt(*static_cast<QWidget *>(watched), *event)) {
            // One request opens one menu, however many events the platform sent for it.
            if (!m_mnuCP->isVisible()) {
                m_chartToCopy = watched == m_xChart ? 1 : 2;
                m_mnuCP->exec(*at);
            }
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace kelvara
