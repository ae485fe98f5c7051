// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The keys of the main window's buttons: each works wherever the focus is in
// any window of the program, text boxes included, exactly when the button
// itself could be clicked, and the button's hint names it.

#include <QKeySequence>
#include <QString>

class QAbstractButton;

namespace kelvara::keys {

inline const QKeySequence run{Qt::CTRL | Qt::Key_R};
inline const QKeySequence pause{Qt::CTRL | Qt::Key_P};
inline const QKeySequence reset{Qt::CTRL | Qt::Key_N};
inline const QKeySequence controlCharts{Qt::CTRL | Qt::Key_L};
inline const QKeySequence histograms{Qt::CTRL | Qt::Key_G};
inline const QKeySequence exportData{Qt::CTRL | Qt::Key_S};
inline const QKeySequence demonstration{Qt::CTRL | Qt::Key_M};
inline const QKeySequence help{Qt::Key_F1};

/// "View Control Charts (Ctrl+L)".
QString hintWithKey(const QString &hint, const QKeySequence &key);

/// Makes `key` click `button` while the button is shown and enabled, and
/// gives the button the hint `hint` followed by the key.
void giveKey(QAbstractButton *button, const QKeySequence &key, const QString &hint);

} // namespace kelvara::keys
