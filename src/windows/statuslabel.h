// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The label that counts subgroups during a Run. Its text changes after every
// subgroup, so it must not cost a relayout of the window each time: it keeps
// a fixed size hint and sits in a StatusSlot that fixes its size (a QLabel of
// fixed size asks no layout to redo itself when its text changes). Laying out
// and drawing text costs more than the rest of a repaint, so the label draws
// its text once in pieces (the words, and each digit of the number) and puts
// the count together from those pictures.

#include <QHash>
#include <QLabel>
#include <QPixmap>

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

private:
    struct Piece {
        QPixmap picture; // the text, with room for overhanging glyphs on either side
        qreal advance = 0;
    };
    const Piece &piece(const QString &text);
    QList<Piece> piecesOf(const QString &text);

    QSize m_hint;
    QHash<QString, Piece> m_pieces;
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
