// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Every message the program shows goes through here: a modal box titled
// "Kelvara" with one OK button, the demonstration's Yes/No question, and the
// error report of a failed export or chart copy.

#include <QMessageBox>
#include <QString>

class QWidget;

namespace kelvara {

inline const QString productName = QStringLiteral("Kelvara");

/// The buttons a box offers: OK alone, or Yes and No for a question whose
/// Yes cannot be undone, with No the default and the answer to Esc.
enum class Answers { Ok, YesOrNo };

/// Shows a modal message box, waits until it is closed and returns the button
/// that closed it.
QMessageBox::StandardButton showMessage(const QString &text, QMessageBox::Icon icon = QMessageBox::Information,
                                        QWidget *parent = nullptr, const QString &title = productName,
                                        Answers answers = Answers::Ok);

/// Records a run-time error for the next reportError().
void recordError(int number, const QString &description, const QString &source = productName);
bool errorPending();

/// Shows the pending error, if any, below the heading in a critical box
/// titled "Kelvara : ERROR !", then clears it.
void reportError(const QString &heading, QWidget *parent = nullptr);

/// The report's text for a heading and an error (kept apart for tests).
QString errorReportText(const QString &heading, int number, const QString &description,
                        const QString &source);

} // namespace kelvara
