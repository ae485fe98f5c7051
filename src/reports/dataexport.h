#pragma once
// Writes the run's measurement table to a comma-separated or tab-delimited
// text file the user names.

class QWidget;

namespace kelvara {

class TextTable;

/// Both export buttons: asks for a file and writes the readings, their
/// averages and ranges as the table shows them.
void exportData(QWidget *parent, const TextTable &slotTable, const TextTable &measurementTable,
                int subgroupSize);

} // namespace kelvara
