// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/savedialog.h"

#include "common/preferences.h"

#include <QCoreApplication>
#include <QRegularExpression>

namespace kelvara {
namespace {

QString g_programFolder;

QString programFolder()
{
    return g_programFolder.isEmpty() ? QCoreApplication::applicationDirPath() : g_programFolder;
}

// "Text File (*.txt)" gives "txt"; a filter without one gives nothing.
QString filterSuffix(const QString &nameFilter)
{
    static const QRegularExpression pattern(QStringLiteral("\\(\\*\\.([^ ;)]+)"));
    return pattern.match(nameFilter).captured(1);
}

} // namespace

SaveDialog::SaveDialog(QWidget *parent, const QString &title, const QStringList &nameFilters)
    : QFileDialog(parent, title, preferences::saveFolder(programFolder()))
{
    setModal(true);
    setAcceptMode(QFileDialog::AcceptSave);
    setFileMode(QFileDialog::AnyFile);
    setOption(QFileDialog::DontUseNativeDialog);
    setNameFilters(nameFilters);
}

void SaveDialog::accept()
{
    // The suffix is added before the dialog looks for an existing file, so its
    // question names the file that would really be replaced.
    setDefaultSuffix(filterSuffix(selectedNameFilter()));
    QFileDialog::accept();
}

namespace testing {

void setProgramFolder(const QString &folder)
{
    g_programFolder = folder;
}

} // namespace testing

} // namespace kelvara
