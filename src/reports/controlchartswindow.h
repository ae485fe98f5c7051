// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The window with the two control charts of the run: the X-bar chart (X chart
// for single readings) above the R chart (MR chart), a page of up to twelve
// subgroups at a time, each copyable to the clipboard.
//
// A Run redraws the charts after every subgroup, mostly while this window is
// hidden. A page is therefore worked out at once (its points, and the chart
// bounds its values widen) but drawn only when it can be seen or is asked
// for: when the window shows, a chart paints, or a chart is fetched.

#include "core/chartbounds.h"
#include "core/controllimits.h"
#include "core/labelplacement.h"
#include "core/runsignals.h"

#include <QList>
#include <QPointF>
#include <QWidget>

#include <functional>

class QAction;
class QLabel;
class QMenu;
class QPushButton;
class QToolButton;

namespace kelvara {

struct ScaleChange;
class DrawingSurface;
class QuincunxRun;
class SignalPanel;
class TextTable;
struct ChartFrame;

class ControlChartsWindow : public QWidget {
    Q_OBJECT
public:
    /// The charts of `run`, its record and limits read at drawing time;
    /// `shownTable` is the measurement table as the user reads it.
    ControlChartsWindow(const QuincunxRun &run, const TextTable &shownTable, QWidget *parent = nullptr);

    /// Clears the upper chart and draws its empty frame from the chart bounds.
    void setupXBarChart();
    /// Clears the lower chart and draws its empty frame from the chart bounds.
    void setupRChart();
    /// Clears both charts and draws them empty.
    void resetCharts();
    /// Turns to the page starting at subgroup `first` and draws it; a page
    /// that starts before 1 is kept as the one turned to but not drawn.
    void showPage(int first);
    /// Redraws both charts for the page starting at subgroup `first`.
    void drawcharts(int first);

    /// "XBar Chart:" / "R Chart:", or "X Chart:" / "MR Chart:" for single readings.
    void setChartTitles(int subgroupSize);
    void setValueTitles(const QString &xValues, const QString &rValues);
    /// Tells screen readers what the page on show holds. During a Run only
    /// while one listens; the main window asks again when the Run ends.
    void describePage();

    // Event handlers of the window's controls.
    void chartlbutton_Click();
    void chartfastlbutton_Click();
    void chartrbutton_Click();
    void chartfastrbutton_Click();
    void mnuCopyChart_Click();
    void mnuSaveChart_Click();
    /// "Show Run Rules": flags the points that break a run rule and lists them.
    void mnuShowRunRules_Click();
    /// Pages the charts so that they show the subgroup.
    void showSubgroup(int subgroup);

    /// Puts what a chart shows on the clipboard as a picture.
    void copyChart(DrawingSurface &chart);

    /// The charts, with the page on show drawn.
    DrawingSurface *xChart();
    DrawingSurface *rChart();

    /// The points (x, value) the last drawcharts plotted on each chart.
    const QList<QPointF> &xPlotted() const { return m_page.x; }
    const QList<QPointF> &rPlotted() const { return m_page.r; }
    /// The first subgroup of the page turned to last.
    int firstSubgroup() const { return m_firstSubgroup; }
    /// The running bounds the next frames are drawn from.
    const ChartBounds &bounds() const { return m_bounds; }
    /// The lowest gridline of the upper chart.
    float xChartBase() const { return m_xChartBase; }

signals:
    /// The run-length lab was asked for from a chart's menu.
    void runLengthLabRequested();

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QToolButton *pagingButton(const QString &name, const QString &hint, Qt::ArrowType arrow, bool fast);
    void buildLayout();
    void buildMenu();
    void followZoom();
    void connectControls();
    void addRunRulesItem();

    double growth(const DrawingSurface &chart) const;
    int penWidth(const DrawingSurface &chart, int nominal) const;
    void drawFrame(DrawingSurface &chart, const ChartFrame &frame, double labelRight);
    void drawControlLines(DrawingSurface &chart, float centre, float upper, float lower);
    void drawXBarFrame(const ChartBounds &bounds);
    void drawRFrame(const ChartBounds &bounds);
    QList<QPointF> readColumn(int column, int from, int first, int last,
                              const std::function<void(float)> &track) const;
    void drawPage();
    void plotPoints(DrawingSurface &chart, const QList<QPointF> &points, double numberTop, double labelRight);
    int completedRows() const;
    bool rulesShown() const;
    /// Lists the run's signals and how long a process change went unseen.
    void showSignals();
    void drawZoneLines();
    void markSignals(DrawingSurface &chart, const QList<QPointF> &points, SignalChart kind);
    LabelRoom labelRoom(SignalChart kind) const;
    /// The centre line and limits of the page's upper (Mean) or lower chart.
    ChartLines pageLines(SignalChart kind) const;
    std::vector<double> zoneLines() const;
    void redrawInPlace();
    void pageBack(int step);
    void pageForward(int step);
    /// A new scale may set the chart bounds back to its own and start the charts again.
    void followScale(const ScaleChange &change);

    const QuincunxRun &m_run;
    // Its cells keep the decimals they were written with; a screen reader
    // reads the newest point as the table shows it.
    const TextTable &m_shownTable;
    QLabel *m_xTitle;
    QLabel *m_xValues;
    QLabel *m_rTitle;
    QLabel *m_rValues;
    DrawingSurface *m_xChart;
    DrawingSurface *m_rChart;
    QToolButton *m_fastLeft;
    QToolButton *m_left;
    QToolButton *m_right;
    QToolButton *m_fastRight;
    QPushButton *m_close;
    QMenu *m_mnuCP = nullptr;
    QAction *m_mnuCopyChart = nullptr;
    QAction *m_mnuSaveChart = nullptr;
    QAction *m_mnuShowRunRules = nullptr;
    QAction *m_mnuRunLengthLab = nullptr;
    SignalPanel *m_signalPanel;
    qsizetype m_signalsListed = 0; // the run's signals the panel lists
    int m_chartToCopy = 0; // 1 upper chart, 2 lower chart

    // The page on show, as worked out by drawcharts.
    struct Page {
        int first = 0; // 0 when the charts are empty
        ChartBounds frameBounds; // the bounds before this page's values widened them
        bool limitsFixed = false;
        float centre = 0, meanRange = 0;
        ControlLimits limits;
        QList<QPointF> x, r;
    };
    Page m_page;
    bool m_pageDrawn = true;
    // Running bounds of everything plotted since the last change of scale.
    ChartBounds m_bounds;
    int m_firstSubgroup = 0;
    float m_xChartBase = 0.0f;
};

} // namespace kelvara
