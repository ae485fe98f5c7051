// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A picture button on a drawing surface whose picture fills it, so it grows
// and shrinks with the picture it stands on.

#include <QToolButton>

namespace kelvara {

class FillingIconButton : public QToolButton {
    Q_OBJECT
public:
    explicit FillingIconButton(QWidget *parent = nullptr);

protected:
    void resizeEvent(QResizeEvent *event) override;
};

} // namespace kelvara
