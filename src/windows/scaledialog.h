// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The scale dialog (`frmScale`): maps the 31 slots onto a measurement range
// and sets the specification limits.

#include "core/scaleentries.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace kelvara {

class QuincunxForm;

class ScaleDialog : public QDialog {
    Q_OBJECT
public:
    explicit ScaleDialog(QuincunxForm &mainWindow);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLineEdit *scalecentretext;
    QLineEdit *scalehalfwidthtext;
    QLineEdit *lsltext;
    QLineEdit *usltext;
    QCheckBox *speclimitscheck;
    QPushButton *cmdDefault;
    QPushButton *scaleapplybutton;
    QPushButton *scalepanelclosebutton;

    // Event handlers of the controls.
    void cmdDefault_Click();
    void scaleapplybutton_Click();
    void scalepanelclosebutton_Click();
    void speclimitscheck_Click();

    void buildLayout();
    void load();

    /// Validates the four boxes, tells the user what is wrong and keeps the
    /// converted entries when they pass.
    bool checkScaleEntries();
    /// Validates, records whether the limits are shown and rescales the board.
    void applyScaleEntries();
    /// Hands the kept entries to the board, then starts the charts afresh.
    void applyScale();
    void restartCharts();
    void buildFormats(int decimals);
    ScaleTexts texts() const;

    QuincunxForm &m_main;
    ScaleEntries m_entries;
};

} // namespace kelvara
