// SPDX-License-Identifier: GPL-3.0-or-later
#include "reports/dataexport.h"

#include "common/messages.h"
#include "common/savedialog.h"
#include "common/savefile.h"
#include "core/exportformat.h"
#include "core/texttable.h"

#include <optional>
#include <utility>

namespace kelvara {
namespace {

struct ExportTarget {
    QString fileName;
    ExportType type;
};

std::optional<ExportTarget> g_nextAnswer;

const QString csvFilter = QStringLiteral("Comma Separated Values (CSV) For Excel(*.csv)");
const QString textFilter = QStringLiteral("Tab-Delimited Text File (*.txt)");

// The file and type the user chooses; nothing when the dialog is cancelled.
std::optional<ExportTarget> askForTarget(QWidget *parent)
{
    if (g_nextAnswer)
        return std::exchange(g_nextAnswer, std::nullopt);

    SaveDialog dialog(parent, QStringLiteral("Output Data"), {csvFilter, textFilter});
    dialog.setObjectName(QStringLiteral("dlgOutput"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    const ExportType type = dialog.selectedNameFilter() == textFilter ? ExportType::TabDelimited
                                                                      : ExportType::CommaSeparated;
    return ExportTarget{dialog.selectedFiles().constFirst(), type};
}

} // namespace

void exportData(QWidget *parent, const TextTable &measurementTable, int subgroupSize)
{
    if (measurementTable.rowCount() <= 1) {
        showMessage(QStringLiteral("No data to output!"), QMessageBox::Warning, parent);
        return;
    }
    const std::optional<ExportTarget> target = askForTarget(parent);
    if (!target || target->fileName.isEmpty())
        return;
    const QByteArray contents =
        exportFileContents(measurementTable, subgroupSize, fieldSeparator(target->type));
    const auto writeContents = [&contents](QIODevice &file) { return file.write(contents) == contents.size(); };
    if (!saveFile(target->fileName, writeContents))
        reportError(QStringLiteral("Error saving data!"), parent);
}

namespace testing {

void answerNextExportDialog(const QString &fileName, ExportType type)
{
    g_nextAnswer = ExportTarget{fileName, type};
}

} // namespace testing

} // namespace kelvara
