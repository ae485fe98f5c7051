// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Writes the run's measurement table to a comma-separated or tab-delimited
// text file the user names.

#include "core/exportformat.h"

#include <QString>

class QWidget;

namespace kelvara {

class TextTable;

/// Both export buttons: asks for a file and writes the readings, their
/// averages and ranges as the table shows them.
void exportData(QWidget *parent, const TextTable &measurementTable, int subgroupSize);

namespace testing {

/// The next export takes this answer instead of showing its file dialog.
void answerNextExportDialog(const QString &fileName, ExportType type);

} // namespace testing

} // namespace kelvara
