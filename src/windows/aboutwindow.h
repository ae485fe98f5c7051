#pragma once
// The about window (`frmAbout`): the product's picture and a Close button.

#include <QDialog>

namespace kelvara {

class AboutWindow : public QDialog {
    Q_OBJECT
public:
    explicit AboutWindow(QWidget *parent = nullptr);
};

} // namespace kelvara
