// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/savefile.h"

#include "common/messages.h"
#include "common/preferences.h"

#include <QSaveFile>

namespace kelvara {

bool saveFile(const QString &path, const std::function<bool(QIODevice &)> &write)
{
    QSaveFile file(path);
    file.setDirectWriteFallback(true);
    if (file.open(QIODevice::WriteOnly) && write(file) && file.commit()) {
        preferences::rememberSavedFile(path);
        return true;
    }
    recordError(file.error(), file.errorString());
    return false;
}

} // namespace kelvara
