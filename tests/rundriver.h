// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Drives a run through the main window's own controls: a fresh run of a
// chosen subgroup size, and a number of subgroups dropped with "Run".

#include "testsupport.h"

#include <QLineEdit>
#include <QMap>

namespace rundriver {

/// Steps the setting box `box` with the arrows of its spinner until it reads `value`.
inline void stepSetting(QWidget *window, const QString &box, int value)
{
    static const QMap<QString, QString> spinners = {{QStringLiteral("rowstext"), QStringLiteral("spnRows")},
                                                    {QStringLiteral("subgrouptext"), QStringLiteral("spnSubGroup")},
                                                    {QStringLiteral("climitstext"), QStringLiteral("spnClimit")}};
    auto *edit = testsupport::child<QLineEdit>(window, box);
    QWidget *spinner = testsupport::child(window, spinners.value(box));
    for (int step = 0; step < 30 && edit->text().toInt() != value; ++step)
        testsupport::click(spinner, edit->text().toInt() > value ? QStringLiteral("down") : QStringLiteral("up"));
}

/// Resets the run and steps `spnSubGroup` until the subgroup size is n.
inline void startRun(QWidget *window, int subgroupSize)
{
    testsupport::click(window, QStringLiteral("resetbutton"));
    stepSetting(window, QStringLiteral("subgrouptext"), subgroupSize);
}

/// Types the count into `howmanytext` and presses "Run"; true when no message box came up.
inline bool dropSubgroups(QWidget *window, int count)
{
    return testsupport::runSubgroups(window, count).isEmpty();
}

} // namespace rundriver
