// SPDX-License-Identifier: GPL-3.0-or-later
#include "reports/dataexport.h"

#include "common/messages.h"
#include "core/exportformat.h"
#include "core/texttable.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QFileDialog>
#include <QSaveFile>

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

// A name typed without an extension gets the chosen type's.
QString withTypeSuffix(const QString &fileName, ExportType type)
{
    if (!QFileInfo(fileName).suffix().isEmpty())
        return fileName;
    return fileName + (type == ExportType::TabDelimited ? QStringLiteral(".txt") : QStringLiteral(".csv"));
}

// The file and type the user chooses; nothing when the dialog is cancelled.
std::optional<ExportTarget> askForTarget(QWidget *parent)
{
    if (g_nextAnswer)
        return std::exchange(g_nextAnswer, std::nullopt);

    QFileDialog dialog(parent, QStringLiteral("Output Data"), QCoreApplication::applicationDirPath());
    dialog.setObjectName(QStringLiteral("dlgOutput"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    // Qt's own dialog, so it is the same modal widget on every platform; the
    // user already picked the name, so replacing a file needs no second question.
    dialog.setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::DontConfirmOverwrite);
    dialog.setNameFilters({csvFilter, textFilter});
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    const ExportType type = dialog.selectedNameFilter() == textFilter ? ExportType::TabDelimited
                                                                      : ExportType::CommaSeparated;
    return ExportTarget{withTypeSuffix(dialog.selectedFiles().constFirst(), type), type};
}

// All or nothing: a failed write leaves no partial file and the old one intact.
bool writeFile(const QString &fileName, const QByteArray &contents)
{
    QSaveFile file(fileName);
    if (file.open(QIODevice::WriteOnly) && file.write(contents) == contents.size() && file.commit())
        return true;
    recordError(file.error(), file.errorString());
    return false;
}

} // namespace

void exportData(QWidget *parent, const TextTable &slotTable, const TextTable &measurementTable,
                int subgroupSize)
{
    if (slotTable.rowCount() <= 1) {
        showMessage(QStringLiteral("No data to output!"), QMessageBox::Warning, parent);
        return;
    }
    const std::optional<ExportTarget> target = askForTarget(parent);
    if (!target || target->fileName.isEmpty())
        return;
    const QByteArray contents =
        exportFileContents(measurementTable, subgroupSize, fieldSeparator(target->type));
    if (!writeFile(target->fileName, contents))
        reportError(QStringLiteral("Error saving data!"), parent);
}

namespace testing {

void answerNextExportDialog(const QString &fileName, ExportType type)
{
    g_nextAnswer = ExportTarget{fileName, type};
}

} // namespace testing

} // namespace kelvara
