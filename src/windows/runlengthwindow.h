// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The run-length lab (`frmRunLength`): repeats a run N times out of sight,
// moving the funnel after subgroup S, and shows how many subgroups the X-bar
// chart took to signal, beside theory's exact average run length.

#include "core/runlengthlab.h"

#include <QWidget>

class QComboBox;
class QLabel;
class QMenu;
class QProgressBar;
class QPushButton;
class QSpinBox;

namespace kelvara {

class ArlCurve;
class DelayHistogram;
class LabChart;

class RunLengthWindow : public QWidget {
    Q_OBJECT
public:
    /// Opens with the settings of the board's run.
    explicit RunLengthWindow(const RunLengthSettings &initial, QWidget *parent = nullptr);

    /// Runs the lab inside the click, letting events run between slices.
    void startButton_Click();
    /// Ends the runs after the slice in progress; what was done stays shown.
    void cancelButton_Click();
    bool running() const { return m_running; }

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    QSpinBox *spinBox(const QString &name, int low, int high, int value, const QString &label);
    void buildLayout();
    void buildMenu();
    RunLengthSettings settings() const;
    void fitShiftAfterRange();
    void setRunning(bool running);
    void showExact(const RunLengthSettings &settings);
    void showResults(const RunLengthLab &lab, const RunLengthSettings &settings);
    void openMenu(LabChart *chart, const QPoint &globalPosition);
    void saveChart(LabChart *chart);

    QSpinBox *m_rows;
    QSpinBox *m_size;
    QSpinBox *m_limitCount;
    QSpinBox *m_shift;
    QSpinBox *m_shiftAfter;
    QSpinBox *m_runs;
    QComboBox *m_rules;
    QComboBox *m_limits;
    QPushButton *m_start;
    QPushButton *m_cancel;
    QPushButton *m_close;
    QProgressBar *m_progress;
    QLabel *m_result;
    QLabel *m_exact;
    QLabel *m_note;
    DelayHistogram *m_delayChart;
    ArlCurve *m_arlChart;
    QMenu *m_chartMenu = nullptr;
    LabChart *m_chartForMenu = nullptr;
    QList<QPointF> m_curve;
    bool m_running = false;
    bool m_abort = false;
    bool m_closed = false; // closed during the runs: deleted once they end
};

} // namespace kelvara
