// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Holds one child as the largest centred square that fits, so a picture in
// square user units keeps round circles at any window shape.

#include <QWidget>

namespace kelvara {

class SquareContainer : public QWidget {
    Q_OBJECT
public:
    SquareContainer(QWidget *child, QWidget *parent = nullptr);

    QSize sizeHint() const override;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    QWidget *m_child;
};

} // namespace kelvara
