// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Sizes a panel's text to the room it is given: as large as the room holds,
// within what the zoom asks, never below the normal size, and never narrower
// than the panel's contents.

#include <QSize>

#include <functional>

class QWidget;

namespace kelvara {

class PanelFitter {
public:
    /// `scaleText` sets the panel's text and controls `factor` times their
    /// normal size; the panel starts at the normal size and `normalWidth`.
    PanelFitter(QWidget *panel, int normalWidth, std::function<void(double)> scaleText);

    /// Chooses the text size and the width for `room`, the width beside the
    /// board and the window's height: the zoom's size as far as the room holds
    /// the panel, larger into spare room (to at most twice the zoom's size),
    /// smaller where the room is too small, never below the normal size. The
    /// panel is never narrower than its contents. A `compact` panel keeps to
    /// that narrowest width and to the zoom's size at most.
    void fitInto(QSize room, bool compact);

    /// The narrowest width and the height the panel needs with its text at
    /// the zoom's size.
    QSize sizeAtZoom();

    /// The panel's size with its normal text: the least it ever needs.
    QSize normalSize() const { return m_normalSize; }

private:
    void setTextScale(double factor);
    void settleLayouts();
    /// Whether the panel with its text `factor` times the normal size fits `room`.
    bool fitsAt(double factor, QSize room, bool compact);
    int narrowestWidth() const;
    int widthIn(QSize room, bool compact) const;
    int neededHeight(int width) const;

    QWidget *m_panel;
    int m_normalWidth;
    std::function<void(double)> m_scaleText;
    double m_textScale = 0.0;
    QSize m_normalSize;
    // The room and zoom the panel was last fitted to: the same again changes nothing.
    QSize m_fittedRoom;
    double m_fittedZoom = 0.0;
    bool m_fittedCompact = false;
};

} // namespace kelvara
