#pragma once
// The histograms view (`Histogrampanel`): the measurement table of the run
// beside two histograms over the 31 slots, one of the subgroup averages and
// one of the individual readings.

#include <QWidget>

class QLabel;
class QPushButton;
class QTableWidget;

namespace kelvara {

struct RunState;
struct SharedState;
class TextTable;

class HistogramsView : public QWidget {
    Q_OBJECT
public:
    explicit HistogramsView(QWidget *parent = nullptr);

    /// Fills both histograms from the run's piles and the slot table's averages.
    void showRun(const RunState &run, const SharedState &shared, const TextTable &slotTable);

    QTableWidget *measurementTable() const { return m_table; }
    QPushButton *backButton() const { return m_back; }
    QPushButton *outputButton() const { return m_output; }

private:
    QTableWidget *m_table;
    QPushButton *m_output;
    QPushButton *m_back;
};

} // namespace kelvara
