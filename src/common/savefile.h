// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The write of a file the user named in a save dialog.

#include <QString>

#include <functional>

class QIODevice;

namespace kelvara {

/// Writes a file through `write` all or nothing: a failed write leaves the
/// old file as it was. A writable file in a folder the user cannot write is
/// replaced in place. A saved file's folder is where the next save dialog
/// opens; a failure is recorded for reportError().
bool saveFile(const QString &path, const std::function<bool(QIODevice &)> &write);

} // namespace kelvara
