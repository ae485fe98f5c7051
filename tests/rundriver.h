// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Drives a run through the main window's own controls: a fresh run of a
// chosen subgroup size, and a number of subgroups dropped with "Run".

#include "testsupport.h"

#include <QLineEdit>

namespace rundriver {

/// Resets the run and steps `spnSubGroup` until the subgroup size is n.
inline void startRun(QWidget *window, int subgroupSize)
{
    testsupport::click(window, QStringLiteral("resetbutton"));
    auto *box = testsupport::child<QLineEdit>(window, QStringLiteral("subgrouptext"));
    QWidget *spinner = testsupport::child(window, QStringLiteral("spnSubGroup"));
    for (int step = 0; step < 15 && box->text().toInt() != subgroupSize; ++step) {
        const auto direction = box->text().toInt() > subgroupSize ? QStringLiteral("down") : QStringLiteral("up");
        testsupport::click(spinner, direction);
    }
}

/// Types the count into `howmanytext` and presses "Run"; true when no message box came up.
inline bool dropSubgroups(QWidget *window, int count)
{
    return testsupport::runSubgroups(window, count).isEmpty();
}

} // namespace rundriver
