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

/// Asks the shared store to apply what the user entered; the board and the
/// charts follow the store.
class ScaleDialog : public QDialog {
    Q_OBJECT
public:
    explicit ScaleDialog(QWidget *parent);

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
    /// Validates, then applies the kept entries with the limits shown or
    /// hidden as the box says.
    void applyScaleEntries();
    /// Applies the kept entries as a new scale: the charts start afresh.
    void applyScale();
    void buildFormats(int decimals);
    ScaleTexts texts() const;
    /// The kept entries as a scale, the limits shown or not.
    Scale enteredScale(bool showSpecLimits) const;

    ScaleEntries m_entries;
};

} // namespace kelvara
