// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/preferences.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace kelvara::preferences {
namespace {

const QString lastFolderKey = QStringLiteral("files/lastFolder");

// The program's own organisation and name, set here rather than on the
// application, so tests and outside tools that never run start-up share them.
QSettings store()
{
    return QSettings(QStringLiteral("Kelvara"), QStringLiteral("Kelvara"));
}

} // namespace

bool flag(const QString &key)
{
    return store().value(key, false).toBool();
}

void setFlag(const QString &key, bool on)
{
    store().setValue(key, on);
}

int number(const QString &key, int fallback)
{
    bool ok = false;
    const int value = store().value(key).toInt(&ok);
    return ok ? value : fallback;
}

void setNumber(const QString &key, int value)
{
    store().setValue(key, value);
}

QString saveFolder(const QString &programFolder)
{
    const QString last = store().value(lastFolderKey).toString();
    if (!last.isEmpty() && QFileInfo(last).isDir())
        return last;
    const QFileInfo program(programFolder);
    if (program.isDir() && program.isWritable())
        return programFolder;
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}

void rememberSavedFile(const QString &filePath)
{
    store().setValue(lastFolderKey, QFileInfo(filePath).absolutePath());
}

} // namespace kelvara::preferences
