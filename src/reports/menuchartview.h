// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A chart view with a popup menu, asked for by a right click or from the
// keyboard, and a picture of itself for the clipboard.

#include <QChartView>

namespace kelvara {

class MenuChartView : public QChartView {
    Q_OBJECT
public:
    explicit MenuChartView(QWidget *parent = nullptr);

    /// Puts a picture of the chart as it is shown on the clipboard.
    void copyToClipboard();

signals:
    /// The chart's popup menu was asked for (a right click or the keyboard),
    /// to open at a global position.
    void menuRequested(const QPoint &globalPosition);

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
};

} // namespace kelvara
