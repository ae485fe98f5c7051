// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The speed bar above "<--Slow - Speed - Fast -->": positions 1 (fastest) to
// 5 (slowest), with the slowest at the left under "Slow".

#include <QScrollBar>

namespace kelvara {

class SpeedBar : public QScrollBar {
    Q_OBJECT
public:
    explicit SpeedBar(QWidget *parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent *event) override;
};

} // namespace kelvara
