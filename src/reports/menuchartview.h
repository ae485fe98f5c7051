// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A chart view whose popup menu is asked for by a right click or from the
// keyboard (the Menu key, Shift+F10), once per request.

#include <QChartView>

namespace kelvara {

class MenuChartView : public QChartView {
    Q_OBJECT
public:
    using QChartView::QChartView;

signals:
    /// The chart's popup menu was asked for, to open at a global position.
    void menuRequested(const QPoint &globalPosition);

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
};

} // namespace kelvara
