// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the control panel's setting boxes let a user do: the offset rows, the
// subgroup size and k change only through their spinners or Up and Down,
// within their ranges; the drop count also takes one or two typed digits and
// falls back to a number when it loses the focus. While the process goes on
// the subgroup size and k keep their values.

#include "core/settingranges.h"

#include <QObject>

class QLineEdit;

namespace kelvara {

class Spinner;

class SettingBoxes : public QObject {
    Q_OBJECT
public:
    /// A setting box, the range its spinner steps it within, and the spinner.
    struct SteppedBox {
        QLineEdit *box;
        SettingRange range;
        Spinner *spinner;
    };

    SettingBoxes(const SteppedBox &rows, const SteppedBox &subgroupSize, const SteppedBox &controlLimits,
                 const SteppedBox &dropCount);

    /// From the first subgroup on the process is going on, until the reset.
    void setProcessGoingOn(bool goingOn);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    /// A spinner's up (+1) or down (-1) event on the box it steps.
    void spinnerStep(const SteppedBox &stepped, int step);
    void howmanytext_LostFocus();
    /// Whether a key pressed in a box only its spinner changes is used up.
    bool takesKey(const SteppedBox &locked, int key);
    /// The box among the three only their spinners change that `watched` is, if any.
    const SteppedBox *lockedBox(const QObject *watched) const;
    /// Lets the box's spinner step it.
    void connectSpinner(const SteppedBox &stepped);

    SteppedBox m_rows;
    SteppedBox m_subgroupSize;
    SteppedBox m_controlLimits;
    SteppedBox m_dropCount;
    bool m_processGoingOn = false;
};

} // namespace kelvara
