// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The label that counts subgroups during a Run. Its text changes after every
// subgroup, so it must not cost a relayout of the window each time: it sits
// in a StatusSlot that fixes its size (a QLabel of fixed size asks no layout
// to redo itself when its text changes), and its size hint is that of the
// widest count.

#include <QLabel>

namespace kelvara {

class StatusLabel : public QLabel {
    Q_OBJECT
public:
    StatusLabel(const QString &text, QWidget *parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;
};

// Takes the status label's place in a layout and keeps the label at exactly
// its own size.
class StatusSlot : public QWidget {
    Q_OBJECT
public:
    explicit StatusSlot(StatusLabel *label, QWidget *parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    StatusLabel *m_label;
};

} // namespace kelvara
