// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The about window (`frmAbout`): the product's picture and a Close button.
// Only Close and Esc close it; other keys do nothing.

#include <QDialog>

namespace kelvara {

class AboutWindow : public QDialog {
    Q_OBJECT
public:
    explicit AboutWindow(QWidget *parent = nullptr);

protected:
    void showEvent(QShowEvent *event) override;
};

} // namespace kelvara
