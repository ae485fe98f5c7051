// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Below the control charts while the run rules are shown: how long the charts
// took to see a change of the process (`detectionLabel`) above the list of
// the run's signals (`signalList`), oldest first. Double-clicking a signal
// (or Return on it) asks for its subgroup to be shown.

#include "core/runsignals.h"

#include <QWidget>

class QLabel;
class QListWidget;
class QListWidgetItem;

namespace kelvara {

class SignalPanel : public QWidget {
    Q_OBJECT
public:
    explicit SignalPanel(QWidget *parent = nullptr);

    /// Empties the list and the label: a new run has no signals.
    void clear();
    /// The detection sentence keeps a line of its present text size, empty or not.
    void keepDetectionLine();
    /// Lists the signals from index `from` on in place of the entries there.
    void listSignals(const QList<RunSignal> &found, qsizetype from, int subgroupSize);
    void setDetection(const QString &text);

signals:
    void subgroupChosen(int subgroup);

private:
    void itemActivated(QListWidgetItem *item);

    QLabel *m_detection;
    QListWidget *m_list;
};

} // namespace kelvara
