// SPDX-License-Identifier: GPL-3.0-or-later
#include "reports/menuchartview.h"

#include "common/popupmenus.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>

namespace kelvara {

void MenuChartView::copyToClipboard()
{
    QGuiApplication::clipboard()->setImage(grab().toImage());
}

void MenuChartView::mouseReleaseEvent(QMouseEvent *event)
{
    if (const auto at = popupmenus::requestedAt(*this, *event))
        emit menuRequested(*at);
    else
        QChartView::mouseReleaseEvent(event);
}

// The chart's items have no menus of their own: a request is the chart's or none.
void MenuChartView::contextMenuEvent(QContextMenuEvent *event)
{
    if (const auto at = popupmenus::requestedAt(*this, *event))
        emit menuRequested(*at);
    event->accept();
}

void MenuChartView::keyPressEvent(QKeyEvent *event)
{
    if (const auto at = popupmenus::requestedAt(*this, *event))
        emit menuRequested(*at);
    else
        QChartView::keyPressEvent(event);
}

} // namespace kelvara
