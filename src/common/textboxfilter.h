// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The key filter of a text box: only the characters a rule passes are typed,
// pasted or dropped into it.

#include <QChar>
#include <QString>

#include <functional>

class QLineEdit;

namespace kelvara {

/// Lets only the characters `filter` passes be typed into a box; pasting
/// goes through the same filter character by character, and text pasted from
/// the context menu or dropped is refused unless every character passes.
using CharFilter = std::function<QChar(const QString &boxText, QChar key)>;
void installKeyFilter(QLineEdit *box, CharFilter filter);

} // namespace kelvara
