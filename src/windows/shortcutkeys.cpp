// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/shortcutkeys.h"

#include <QAbstractButton>
#include <QApplication>
#include <QShortcut>

namespace kelvara::keys {

QString hintWithKey(const QString &hint, const QKeySequence &key)
{
    return QStringLiteral("%1 (%2)").arg(hint, key.toString(QKeySequence::NativeText));
}

// A shortcut belonging to the button is active only while the button is
// visible and enabled: the key does nothing when a click could not happen.
// It works from every window of the program, the charts and the manual too,
// but not while a modal dialog keeps the button's window from input.
void giveKey(QAbstractButton *button, const QKeySequence &key, const QString &hint)
{
    button->setToolTip(hintWithKey(hint, key));
    auto *shortcut = new QShortcut(key, button);
    shortcut->setContext(Qt::ApplicationShortcut);
    QObject::connect(shortcut, &QShortcut::activated, button, [button] {
        // An open popup menu has the keyboard; a Run must not start inside it.
        if (!QApplication::activePopupWidget())
            button->click();
    });
}

} // namespace kelvara::keys
