#include "windows/scaledialog.h"

#include "windows/quincunxform.h"

namespace kelvara {

ScaleDialog::ScaleDialog(QuincunxForm &mainWindow) : QDialog(&mainWindow), m_main(mainWindow)
{
    setObjectName(QStringLiteral("frmScale"));
    setWindowTitle(QStringLiteral("Scale Quincunx Board"));
}

} // namespace kelvara
