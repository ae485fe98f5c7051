// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/aboutwindow.h"

#include "common/windowplacement.h"
#include "windows/aboutpicture.h"
#include "windows/buttonicons.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace kelvara {
namespace {

const QString copyrightNotice = QStringLiteral("Copyright \u00a9 2026 Kelvara maintainers");
const QString licenceNotice = QStringLiteral(
    "Kelvara is free software: you can redistribute it and/or modify it under the terms of the GNU "
    "General Public License, version 3 or any later version (GPL-3.0-or-later). It comes with "
    "ABSOLUTELY NO WARRANTY.");
const QString licenceFile = QStringLiteral(":/kelvara/COPYING");

QLabel *noticeLabel(const QString &name, const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    return label;
}

// A button that neither takes the focus nor acts as the default: Enter and
// Space press nothing in this window.
QPushButton *quietButton(const QString &name, const QString &text, QWidget *parent)
{
    auto *button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    button->setFocusPolicy(Qt::NoFocus);
    button->setMinimumWidth(96);
    return button;
}

} // namespace

AboutWindow::AboutWindow(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("Kelvara"));
    setWindowIcon(applicationIcon());

    auto *cmdOK = quietButton(QStringLiteral("cmdOK"), QStringLiteral("Close"), this);
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::reject);
    // Alt+L reads the licence from the keyboard.
    auto *licence = quietButton(QStringLiteral("cmdLicence"), QStringLiteral("&Licence..."), this);
    connect(licence, &QPushButton::clicked, this, &AboutWindow::showLicence);

    auto *picture = new AboutPicture(this);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(licence);
    buttons->addStretch(1);
    buttons->addWidget(cmdOK);

    auto *layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(picture);
    for (QLabel *notice : {noticeLabel(QStringLiteral("versionLabel"), versionText(), this),
                           noticeLabel(QStringLiteral("copyrightLabel"), copyrightNotice, this),
                           noticeLabel(QStringLiteral("licenceLabel"), licenceNotice, this)}) {
        // The notices wrap to the picture's width rather than widen the window.
        notice->setFixedWidth(picture->sizeHint().width());
        layout->addWidget(notice);
    }
    layout->addLayout(buttons);
}

QString AboutWindow::versionText()
{
    return QStringLiteral("Version " KELVARA_VERSION);
}

void AboutWindow::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    centreForm(this);
}

void AboutWindow::showLicence()
{
    QDialog window(this);
    window.setObjectName(QStringLiteral("frmLicence"));
    window.setWindowTitle(QStringLiteral("Kelvara: GNU General Public License"));
    auto *text = new QPlainTextEdit(&window);
    text->setObjectName(QStringLiteral("licenceText"));
    text->setReadOnly(true);
    text->setLineWrapMode(QPlainTextEdit::NoWrap);
    QFile file(licenceFile);
    text->setPlainText(file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString());
    // The licence's lines are at most 80 characters: the window shows them whole.
    text->setMinimumWidth(text->fontMetrics().averageCharWidth() * 84);
    auto *close = new QDialogButtonBox(QDialogButtonBox::Close, &window);
    connect(close, &QDialogButtonBox::rejected, &window, &QDialog::reject);
    auto *layout = new QVBoxLayout(&window);
    layout->addWidget(text);
    layout->addWidget(close);
    fitOnScreen(&window, QSize(text->minimumWidth() + 40, 600));
    window.exec();
}

} // namespace kelvara
