// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/startup.h"

#include "common/messages.h"
#include "common/sharedstore.h"
#include "common/zoom.h"
#include "windows/buttonicons.h"
#include "windows/quincunxform.h"

#include <QApplication>
#include <QPointer>
#include <QScreen>

namespace kelvara {
namespace {

constexpr int minimumScreenHeight = 768;

QPointer<QuincunxForm> g_mainWindow;

bool screenIsHighEnough()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen && float(screen->size().height()) >= float(minimumScreenHeight);
}

} // namespace

bool startUp()
{
    // Every window, message boxes and chart windows included, shows the icon;
    // Wayland finds it through the installed desktop entry of this name.
    QApplication::setWindowIcon(applicationIcon());
    QGuiApplication::setDesktopFileName(QStringLiteral("kelvara"));
    if (!screenIsHighEnough()) {
        showMessage(QStringLiteral("To run this Kelvara, you need a screen resolution of at least 1024x768."));
        return false;
    }
    sharedStore().restart();
    zoom::restore();

    // A second start within one process (tests do this) begins from scratch too.
    delete g_mainWindow.data();
    g_mainWindow = new QuincunxForm;
    QObject::connect(qApp, &QCoreApplication::aboutToQuit, qApp, [] { delete g_mainWindow.data(); });
    g_mainWindow->show();
    QCoreApplication::processEvents();
    g_mainWindow->firstActivation();
    return true;
}

} // namespace kelvara
