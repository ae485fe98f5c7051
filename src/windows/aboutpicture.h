// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The product picture of the about window, drawn by the program: the name on
// a red band, the tagline, and "Statistical Process Control" over a histogram
// beside a small control chart and a small quincunx with its pile.

#include <QWidget>

namespace kelvara {

class AboutPicture : public QWidget {
    Q_OBJECT
public:
    explicit AboutPicture(QWidget *parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
};

} // namespace kelvara
