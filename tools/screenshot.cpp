// SPDX-License-Identifier: GPL-3.0-or-later
// Renders Kelvara's windows to PNG files for the README, on any platform
// (the offscreen one included): the main window after a few subgroups and
// the control charts window, the same with the run rules shown after a move
// of the funnel, and the manual.
//   kelvara_screenshot OUTPUT_FOLDER

#include "app/startup.h"
#include "app/testing.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QWidget>

namespace {

QWidget *topLevel(const QString &name)
{
    for (QWidget *widget : QApplication::topLevelWidgets())
        if (widget->objectName() == name)
            return widget;
    return nullptr;
}

} // namespace

int main(int argc, char *argv[])
{
    // A configuration of its own: every picture shows the program as it
    // first starts, whatever the user chose.
    QTemporaryDir configuration;
    qputenv("XDG_CONFIG_HOME", configuration.path().toLocal8Bit());
    QApplication app(argc, argv);
    const QDir folder(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("."));
    kelvara::testing::setTimeScale(0);
    kelvara::testing::seedRandom(2026);
    if (!kelvara::startUp())
        return 1;
    QWidget *main = topLevel(QStringLiteral("quincunxform"));
    main->resize(1024, 720);
    QApplication::processEvents();
    if (auto *run = main->findChild<QAbstractButton *>(QStringLiteral("dropbutton"))) {
        for (int press = 0; press < 6; ++press)
            run->click();
    }
    QApplication::processEvents();
    bool saved = main->grab().save(folder.filePath(QStringLiteral("main-window.png")));
    if (QWidget *charts = topLevel(QStringLiteral("frmCtrlChrt"))) {
        charts->show();
        QApplication::processEvents();
        saved = charts->grab().save(folder.filePath(QStringLiteral("control-charts.png"))) && saved;
        if (auto *rules = charts->findChild<QAction *>(QStringLiteral("mnuShowRunRules"))) {
            rules->trigger();
            for (int slot = 0; slot < 3; ++slot)
                main->findChild<QAbstractButton *>(QStringLiteral("funnelrightbutton"))->click();
            main->findChild<QAbstractButton *>(QStringLiteral("dropbutton"))->click();
            QApplication::processEvents();
            saved = charts->grab().save(folder.filePath(QStringLiteral("control-charts-run-rules.png"))) && saved;
            rules->trigger();
        }
        charts->hide();
    }
    if (auto *help = main->findChild<QAbstractButton *>(QStringLiteral("cmdHelp"))) {
        help->click();
        QApplication::processEvents();
        if (QWidget *manual = topLevel(QStringLiteral("helpWindow")))
            saved = manual->grab().save(folder.filePath(QStringLiteral("manual.png"))) && saved;
    }
    return saved ? 0 : 1;
}
