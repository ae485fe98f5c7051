// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/shortcutkeys.h"

#include <QAbstractButton>
#include <QShortcut>

namespace kelvara::keys {

QString hintWithKey(const QString &hint, const QKeySequence &key)
{
    return QStringLiteral("%1 (%2)").arg(hint, key.toString(QKeySequence::NativeText));
}

// A shortcut belonging to the button is active only while the button is
// visible and enabled: the key does nothing when a click could not happen.
void giveKey(QAbstractButton *button, const QKeySequence &key, const QString &hint)
{
    button->setToolTip(hintWithKey(hint, key));
    QObject::connect(new QShortcut(key, button), &QShortcut::activated, button, &QAbstractButton::click);
}

} // namespace kelvara::keys
