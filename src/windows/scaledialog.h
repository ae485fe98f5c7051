#pragma once
// The scale dialog (`frmScale`): maps the 31 slots onto a measurement range
// and sets the specification limits.

#include <QDialog>

namespace kelvara {

class QuincunxForm;

class ScaleDialog : public QDialog {
    Q_OBJECT
public:
    explicit ScaleDialog(QuincunxForm &mainWindow);

private:
    QuincunxForm &m_main;
};

} // namespace kelvara
