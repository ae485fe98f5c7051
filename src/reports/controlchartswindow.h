#pragma once
// The window with the two control charts of the run: the X-bar chart (X chart
// for single readings) above the R chart (MR chart), paged eleven subgroups
// at a time, each copyable to the clipboard.

#include <QWidget>

class QLabel;
class QPushButton;
class QToolButton;

namespace kelvara {

class ChartDataSource;
class DrawingSurface;

class ControlChartsWindow : public QWidget {
    Q_OBJECT
public:
    explicit ControlChartsWindow(ChartDataSource &source, QWidget *parent = nullptr);

    void setupXBarChart();
    void setupRChart();
    /// Clears both charts and draws them empty.
    void resetCharts();
    /// Redraws both charts for the page starting at subgroup `first`.
    void drawcharts(int first);

    /// "XBar Chart:" / "R Chart:", or "X Chart:" / "MR Chart:" for single readings.
    void setChartTitles(int subgroupSize);
    void setValueTitles(const QString &xValues, const QString &rValues);

    DrawingSurface *xChart() const { return m_xChart; }
    DrawingSurface *rChart() const { return m_rChart; }

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    QToolButton *pagingButton(const QString &name, const QString &hint, Qt::ArrowType arrow, bool fast);

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
};

} // namespace kelvara
