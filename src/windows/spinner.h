// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A pair of small arrow buttons, "up" and "down", that step the value of the
// box beside it.

#include <QWidget>

class QToolButton;

namespace kelvara {

class Spinner : public QWidget {
    Q_OBJECT
public:
    Spinner(const QString &name, QWidget *parent = nullptr);


    /// Names the spinner and its arrows after the setting they step, for a
    /// screen reader: "Increase Offset Rows", "Decrease Offset Rows".
    void nameFor(const QString &setting);
    /// Widens the arrows for text `factor` times its normal size.
    void setZoom(double factor);

signals:
    void up();
    void down();

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    QToolButton *m_up;
    QToolButton *m_down;
    QWidget *m_window = nullptr;
};

} // namespace kelvara
