// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Which typed characters the numeric boxes accept. A filter returns the
// character unchanged when it passes and the null character when cancelled.

#include <QChar>
#include <QString>

namespace kelvara {

/// Unsigned whole numbers: digits, backspace, carriage return and the
/// characters with the arrow keys' codes ('%', '&', '\'', '(').
QChar digitKeyFilter(QChar key);

/// Signed decimal numbers: also '-' and one decimal separator per box.
QChar numberKeyFilter(const QString &boxText, QChar key, const QString &decimalSeparator);

/// The drop-count box: digits and backspace only.
QChar dropCountKeyFilter(QChar key);

} // namespace kelvara
