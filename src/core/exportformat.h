// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The export file's text: a header line, then one line per subgroup with the
// measurement table's cells exactly as the table shows them.

#include <QByteArray>
#include <QLocale>
#include <QString>

namespace kelvara {

class TextTable;

/// The two file types the export offers, in the order of its dialog.
enum class ExportType { CommaSeparated, TabDelimited };

/// The field separator of a file type: a tab for text files; for CSV a comma,
/// or a semicolon where the decimal separator is a comma, since spreadsheets
/// in those locales read semicolon-separated values as CSV.
QString fieldSeparator(ExportType type, const QLocale &locale = QLocale());

/// The whole file: "SG No", "Reading 1".."Reading n", "Average", "Range",
/// then rows 1.. of the table, columns 1..n + 2; every line ends with CR LF.
QByteArray exportFileContents(const TextTable &measurementTable, int subgroupSize,
                              const QString &separator);

} // namespace kelvara
