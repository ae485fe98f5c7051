// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/messages.h"

#include <optional>

namespace kelvara {
namespace {

struct PendingError {
    int number;
    QString description;
    QString source;
};

std::optional<PendingError> g_pending;

} // namespace

QMessageBox::StandardButton showMessage(const QString &text, QMessageBox::Icon icon, QWidget *parent,
                                        const QString &title, Answers answers)
{
    const bool question = answers == Answers::YesOrNo;
    QMessageBox box(icon, title, text, question ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok, parent);
    if (!question) {
        box.exec();
        return QMessageBox::Ok;
    }
    box.setDefaultButton(QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    box.exec();
    // Closed any other way than by Yes, the question changes nothing.
    return box.clickedButton() == box.button(QMessageBox::Yes) ? QMessageBox::Yes : QMessageBox::No;
}

void recordError(int number, const QString &description, const QString &source)
{
    g_pending = PendingError{number, description, source};
}

bool errorPending()
{
    return g_pending.has_value();
}

QString errorReportText(const QString &heading, int number, const QString &description,
                        const QString &source)
{
    const QString lineBreak = QStringLiteral("\r\n");
    return heading + lineBreak + QString(30, u'_') + lineBreak + lineBreak
           + QStringLiteral("Error No. :") + QString::number(number) + lineBreak
           + QStringLiteral("Error Description: ") + description + lineBreak
           + QStringLiteral("Error Source: ") + source;
}

void reportError(const QString &heading, QWidget *parent)
{
    if (!g_pending)
        return;
    const PendingError error = *g_pending;
    g_pending.reset();
    showMessage(errorReportText(heading, error.number, error.description, error.source),
                QMessageBox::Critical, parent, productName + QStringLiteral(" : ERROR !"));
}

} // namespace kelvara
