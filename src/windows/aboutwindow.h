// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The about window (`frmAbout`): the product's picture, its version, its
// copyright and licence notices with a way to read the licence, and a Close
// button. Only Close and Esc close it; other keys do nothing.

#include <QDialog>

namespace kelvara {

class AboutWindow : public QDialog {
    Q_OBJECT
public:
    explicit AboutWindow(QWidget *parent = nullptr);

    /// "Version 1.0.0", the version the build was made as.
    static QString versionText();

protected:
    void showEvent(QShowEvent *event) override;

private:
    /// Shows the licence's full text in a window of its own, until it is closed.
    void showLicence();
};

} // namespace kelvara
