#include "windows/aboutwindow.h"

namespace kelvara {

AboutWindow::AboutWindow(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("Kelvara"));
}

} // namespace kelvara
