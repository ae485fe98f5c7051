// SPDX-License-Identifier: GPL-3.0-or-later
// Renders Kelvara's windows to PNG files for the README, on any platform
// (the offscreen one included): the main window after a few subgroups and
// the control charts window, the same with the run rules shown after a move
// of the funnel, the manual and, with a zoom, the histograms and the scale
// dialog, with the main window maximised.
//   kelvara_screenshot OUTPUT_FOLDER [ZOOM_PERCENT]

#include "app/startup.h"
#include "app/testing.h"
#include "common/zoom.h"
#include "testsupport.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>

namespace {

using testsupport::topLevel;

// Clicks and lets what the click set off paint.
void click(QWidget *window, const QString &name)
{
    testsupport::click(window, name);
    QApplication::processEvents();
}

bool grabTo(QWidget *window, const QDir &folder, const QString &file)
{
    return window && window->grab().save(folder.filePath(file));
}

} // namespace

int main(int argc, char *argv[])
{
    // A configuration of its own: every picture shows the program as it
    // first starts, whatever the user chose.
    testsupport::freshConfiguration();
    QApplication app(argc, argv);
    const QDir folder(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("."));
    const int zoomPercent = argc > 2 ? QString::fromLocal8Bit(argv[2]).toInt() : 0;
    kelvara::testing::setTimeScale(0);
    kelvara::testing::seedRandom(2026);
    if (!kelvara::startUp())
        return 1;
    QWidget *main = topLevel(QStringLiteral("quincunxform"));
    if (zoomPercent > 0) {
        kelvara::zoom::setPercent(zoomPercent);
        main->showMaximized();
    } else {
        main->resize(1024, 720);
    }
    QApplication::processEvents();
    for (int press = 0; press < 6; ++press)
        click(main, QStringLiteral("dropbutton"));
    bool saved = grabTo(main, folder, QStringLiteral("main-window.png"));
    if (QWidget *charts = topLevel(QStringLiteral("frmCtrlChrt"))) {
        charts->show();
        QApplication::processEvents();
        saved = grabTo(charts, folder, QStringLiteral("control-charts.png")) && saved;
        if (auto *rules = charts->findChild<QAction *>(QStringLiteral("mnuShowRunRules"))) {
            rules->trigger();
            for (int slot = 0; slot < 3; ++slot)
                click(main, QStringLiteral("funnelrightbutton"));
            click(main, QStringLiteral("dropbutton"));
            saved = grabTo(charts, folder, QStringLiteral("control-charts-run-rules.png")) && saved;
            rules->trigger();
        }
        charts->hide();
    }
    click(main, QStringLiteral("cmdHelp"));
    saved = grabTo(topLevel(QStringLiteral("helpWindow")), folder, QStringLiteral("manual.png")) && saved;
    if (zoomPercent > 0) {
        click(main, QStringLiteral("histbutton"));
        saved = grabTo(main, folder, QStringLiteral("histograms.png")) && saved;
        click(main, QStringLiteral("histbackbutton"));
        QTimer::singleShot(0, [&] {
            auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            saved = grabTo(dialog, folder, QStringLiteral("scale-dialog.png")) && saved;
            if (dialog)
                dialog->reject();
        });
        click(main, QStringLiteral("scalequincunxbutton"));
    }
    return saved ? 0 : 1;
}
