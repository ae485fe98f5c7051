// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the user chose and the program remembers across restarts: features
// switched on, the text zoom and the folder files were last saved to. A run
// itself never starts from these; every start begins with the same settings.

#include <QString>

namespace kelvara::preferences {

/// The keys of the remembered choices, so every window names them alike.
inline const QString showRunRules = QStringLiteral("charts/showRunRules");
inline const QString showIdeal = QStringLiteral("histograms/showIdeal");
inline const QString zoomPercent = QStringLiteral("view/zoomPercent");

/// A remembered switch; false when it was never set.
bool flag(const QString &key);
void setFlag(const QString &key, bool on);

/// A remembered whole number; `fallback` when it was never set.
int number(const QString &key, int fallback);
void setNumber(const QString &key, int value);

/// The folder a save dialog opens in: the folder of the last file saved while
/// it still exists; else `programFolder` when it can be written to; else the
/// user's documents folder.
QString saveFolder(const QString &programFolder);

/// Remembers the folder of a file that was just saved.
void rememberSavedFile(const QString &filePath);

} // namespace kelvara::preferences
