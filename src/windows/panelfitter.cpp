// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/panelfitter.h"

#include "common/zoom.h"

#include <QLayout>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace kelvara {
namespace {

// Spare room makes the text at most twice as large as the zoom asks.
constexpr double largestGrowth = 2.0;
// The text grows and shrinks in steps, so that dragging the window's edge
// lays the panel out again only now and then.
constexpr double scaleStep = 0.05;

} // namespace

PanelFitter::PanelFitter(QWidget *panel, int normalWidth, std::function<void(double)> scaleText)
    : m_panel(panel), m_normalWidth(normalWidth), m_scaleText(std::move(scaleText))
{
    setTextScale(1.0);
    m_panel->setFixedWidth(m_normalWidth);
    m_normalSize = QSize(m_normalWidth, neededHeight(m_normalWidth));
}

void PanelFitter::fitInto(QSize room, bool compact)
{
    if (room == m_fittedRoom && zoom::factor() == m_fittedZoom && compact == m_fittedCompact)
        return;
    m_fittedRoom = room;
    m_fittedZoom = zoom::factor();
    m_fittedCompact = compact;
    // The largest step of text that fits, found by halving: a larger text
    // never needs less room.
    const double largest = compact ? zoom::factor() : zoom::factor() * largestGrowth;
    int fitting = 0;
    int tooLarge = int(std::lround((largest - 1.0) / scaleStep)) + 1;
    while (tooLarge - fitting > 1) {
        const int middle = (fitting + tooLarge) / 2;
        if (fitsAt(1.0 + middle * scaleStep, room, compact))
            fitting = middle;
        else
            tooLarge = middle;
    }
    setTextScale(1.0 + fitting * scaleStep);
    m_panel->setFixedWidth(widthIn(room, compact));
}

QSize PanelFitter::sizeAtZoom()
{
    setTextScale(zoom::factor());
    m_fittedRoom = QSize();
    const int width = narrowestWidth();
    return {width, neededHeight(width)};
}

bool PanelFitter::fitsAt(double factor, QSize room, bool compact)
{
    setTextScale(factor);
    const int width = widthIn(room, compact);
    return width <= room.width() && neededHeight(width) <= room.height();
}

// At the normal text size the panel keeps its normal width, as it always has.
int PanelFitter::narrowestWidth() const
{
    return m_textScale == 1.0 ? m_normalWidth : std::max(m_normalWidth, m_panel->minimumSizeHint().width());
}

int PanelFitter::widthIn(QSize room, bool compact) const
{
    return compact ? narrowestWidth() : std::max(narrowestWidth(), room.width());
}

// Captions that wrap need fewer lines the wider the panel is.
int PanelFitter::neededHeight(int width) const
{
    const int wrapped = m_panel->hasHeightForWidth() ? m_panel->heightForWidth(width) : -1;
    return std::max(1, wrapped > 0 ? wrapped : m_panel->minimumSizeHint().height());
}

void PanelFitter::setTextScale(double factor)
{
    if (factor == m_textScale)
        return;
    m_textScale = factor;
    m_scaleText(factor);
    settleLayouts();
}

// The groups inside the panel tell it their new sizes only once their
// layouts have run: innermost first, so that each passes its size outwards.
void PanelFitter::settleLayouts()
{
    const QList<QWidget *> inside = m_panel->findChildren<QWidget *>();
    for (auto widget = inside.crbegin(); widget != inside.crend(); ++widget)
        if (QLayout *own = (*widget)->layout())
            own->activate();
    m_panel->layout()->activate();
}

} // namespace kelvara
