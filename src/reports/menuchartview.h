// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A chart view whose popup menu is asked for by a right click or from the
// keyboard (the Menu key, Shift+F10), once per request, and that puts a
// picture of itself on the clipboard.

#include <QChartView>

namespace kelvara {

class MenuChartView : public QChartView {
    Q_OBJECT
public:
    using QChartView::QChartView;

    /// Puts a picture of the chart as it is shown on the clipboard.
    void copyToClipboard();

signals:
    /// The chart's popup menu was asked for, to open at a global position.
    void menuRequested(const QPoint &globalPosition);

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
};

} // namespace kelvara
