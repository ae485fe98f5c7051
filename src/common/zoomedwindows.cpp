// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/zoomedwindows.h"

#include "common/windowplacement.h"

#include <QApplication>
#include <QHash>
#include <QLayout>
#include <QRect>
#include <QWidget>

namespace kelvara::zoom {
namespace {

// Where a window stood at each zoom it was left at, and the size the last
// step gave it: a different size since means the user has resized it, and
// what was noted no longer fits what the user wants.
struct Placements {
    QHash<int, QRect> at;
    int percent = 0;
    QSize given;
};

QHash<const QWidget *, Placements> &placements()
{
    static QHash<const QWidget *, Placements> noted;
    return noted;
}

// Windows the user sizes: not menus or tooltips, nor maximised or full-screen
// windows, which the window system sizes.
bool userSized(const QWidget *window)
{
    const Qt::WindowType type = window->windowType();
    return window->isVisible() && (type == Qt::Window || type == Qt::Dialog)
           && !(window->windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen | Qt::WindowMinimized));
}

Placements &placementsOf(QWidget *window)
{
    auto found = placements().find(window);
    if (found == placements().end()) {
        QObject::connect(window, &QObject::destroyed, [window] { placements().remove(window); });
        found = placements().insert(window, {});
    }
    return *found;
}

} // namespace

void noteWindowsBefore(int percent)
{
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (!userSized(window))
            continue;
        Placements &noted = placementsOf(window);
        if (noted.percent != percent || noted.given != window->size())
            noted.at.clear();
        noted.at.insert(percent, window->geometry());
    }
}

void placeWindowsAt(int percent)
{
    // Larger text asks for larger windows once the layouts have seen it.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (!userSized(window))
            continue;
        if (window->layout())
            window->layout()->activate();
        Placements &noted = placementsOf(window);
        const auto earlier = noted.at.constFind(percent);
        if (earlier != noted.at.constEnd())
            window->setGeometry(*earlier);
        keepOnScreen(window);
        noted.percent = percent;
        noted.given = window->size();
    }
}

} // namespace kelvara::zoom
