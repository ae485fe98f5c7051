// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/aboutwindow.h"

#include "common/windowplacement.h"
#include "windows/aboutpicture.h"
#include "windows/buttonicons.h"

#include <QPushButton>
#include <QVBoxLayout>

namespace kelvara {

AboutWindow::AboutWindow(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("Kelvara"));
    setWindowIcon(applicationIcon());

    auto *cmdOK = new QPushButton(QStringLiteral("Close"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    // Without the focus and the default role, Enter and Space do nothing:
    // only Close and Esc end the window, and both the same way.
    cmdOK->setAutoDefault(false);
    cmdOK->setFocusPolicy(Qt::NoFocus);
    cmdOK->setMinimumWidth(96);
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(new AboutPicture(this));
    layout->addWidget(cmdOK, 0, Qt::AlignRight);
}

void AboutWindow::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    centreForm(this);
}

} // namespace kelvara
