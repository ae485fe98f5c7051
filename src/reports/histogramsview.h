// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The histograms view (`Histogrampanel`): the measurement table of the run
// beside two histograms over the 31 slots, one of the subgroup averages and
// one of the individual readings. Its caption is its window title. On request
// each histogram also shows what theory expects of exactly the balls dropped.

#include "core/runstate.h"
#include "core/scale.h"

#include <QWidget>

#include <vector>

class QAction;
class QLabel;
class QMenu;
class QPushButton;
class QTableWidget;

namespace kelvara {

struct RunState;
struct SharedState;
class HistogramChart;
class SubgroupRecord;

class HistogramsView : public QWidget {
    Q_OBJECT
public:
    explicit HistogramsView(QWidget *parent = nullptr);

    /// Fills both histograms from the run's piles and the slot table's
    /// averages, and shows the measurement table from its first row. The
    /// ideal lines compare with the measurements.
    void showRun(const RunState &run, const SharedState &shared, const SubgroupRecord &record);

    QTableWidget *measurementTable() const { return m_table; }
    QPushButton *backButton() const { return m_back; }
    QPushButton *outputButton() const { return m_output; }

protected:
    void changeEvent(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void followZoom();
    void createCharts();
    QLabel *caption(const QString &text);
    void fitTableToContents();
    void shareWidth();
    void openCopyMenu(HistogramChart *chart, const QPoint &globalPosition);
    QLabel *comparisonLabel(const QString &name);
    void saveChart(HistogramChart *chart);
    void showIdeal();

    QLabel *m_heading;
    QLabel *m_meanCaption;
    QLabel *m_indCaption;
    HistogramChart *m_meanGraph = nullptr;
    HistogramChart *m_indGraph = nullptr;
    QTableWidget *m_table;
    QPushButton *m_output;
    QPushButton *m_back;
    QMenu *m_copyMenu;
    QAction *m_showIdeal;
    QLabel *m_meanComparison = nullptr;
    QLabel *m_indComparison = nullptr;
    HistogramChart *m_graphToCopy = nullptr;  // the chart the copy menu was opened on
    int m_tableContentWidth = 0;   // every column shown
    int m_tableScrollingWidth = 0; // the widest reading beside Average and Range

    // What the ideal lines are worked out from: the run shown last.
    std::vector<BallOrigin> m_origins;
    const SubgroupRecord *m_record = nullptr;
    Scale m_scale;
    int m_subgroupSize = 1;
    int m_subgroupCount = 0;
};

} // namespace kelvara
