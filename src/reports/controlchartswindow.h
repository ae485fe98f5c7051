#pragma once
// The window with the two control charts of the run: the X-bar chart (X chart
// for single readings) above the R chart (MR chart), paged eleven subgroups
// at a time, each copyable to the clipboard.

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

class ChartDataSource;
class DrawingSurface;
struct ChartFrame;

class ControlChartsWindow : public QWidget {
    Q_OBJECT
public:
    explicit ControlChartsWindow(ChartDataSource &source, QWidget *parent = nullptr);

    /// Clears the upper chart and draws its empty frame from the chart bounds.
    void setupXBarChart();
    /// Clears the lower chart and draws its empty frame from the chart bounds.
    void setupRChart();
    /// Clears both charts and draws them empty.
    void resetCharts();
    /// Redraws both charts for the page starting at subgroup `first`.
    void drawcharts(int first);

    /// "XBar Chart:" / "R Chart:", or "X Chart:" / "MR Chart:" for single readings.
    void setChartTitles(int subgroupSize);
    void setValueTitles(const QString &xValues, const QString &rValues);

    // Event handlers of the window's controls.
    void chartlbutton_Click();
    void chartfastlbutton_Click();
    void chartrbutton_Click();
    void chartfastrbutton_Click();
    void mnuCopyChart_Click();

    /// Puts what a chart shows on the clipboard as a picture.
    void copyChart(DrawingSurface &chart);

    DrawingSurface *xChart() const { return m_xChart; }
    DrawingSurface *rChart() const { return m_rChart; }

    /// The points (x, value) the last drawcharts plotted on each chart.
    const QList<QPointF> &xPlotted() const { return m_xPlotted; }
    const QList<QPointF> &rPlotted() const { return m_rPlotted; }

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QToolButton *pagingButton(const QString &name, const QString &hint, Qt::ArrowType arrow, bool fast);
    void buildLayout();
    void buildMenu();
    void connectControls();

    double growth(const DrawingSurface &chart) const;
    int penWidth(const DrawingSurface &chart, int nominal) const;
    void drawFrame(DrawingSurface &chart, const ChartFrame &frame, double labelRight);
    void drawControlLines(DrawingSurface &chart, float centre, float upper, float lower);
    QList<QPointF> plotColumn(DrawingSurface &chart, int column, int from, int first, int last,
                              double numberTop, const std::function<void(float)> &track);
    void pageBack(int step);
    bool pageForward(int step);

    ChartDataSource &m_source;
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
    int m_chartToCopy = 0; // 1 upper chart, 2 lower chart
    int m_shownFirst = 0;  // page start of the charts on show; 0 when they are empty
    QList<QPointF> m_xPlotted;
    QList<QPointF> m_rPlotted;
};

} // namespace kelvara
