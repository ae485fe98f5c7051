// SPDX-License-Identifier: GPL-3.0-or-later
#include "surface/fittinglabel.h"

#include <QFontMetrics>

#include <algorithm>

namespace kelvara {
namespace {

constexpr int padding = 4; // a little colour either side of the text
constexpr double shrinkStep = 0.25;

} // namespace

FittingLabel::FittingLabel(const QString &text, QWidget *parent) : QLabel(text, parent)
{
}

void FittingLabel::setFittedText(const QString &text)
{
    setText(text);
    fit();
}

void FittingLabel::setDesign(const QRect &geometry, const QFont &font, int leftmost)
{
    m_designGeometry = geometry;
    m_designFont = font;
    m_leftmost = std::min(leftmost, geometry.left());
    fit();
}

int FittingLabel::widthFor(const QFont &font) const
{
    return QFontMetrics(font).horizontalAdvance(text()) + padding;
}

void FittingLabel::fit()
{
    if (m_designGeometry.isEmpty())
        return;
    const int room = m_designGeometry.right() + 1 - m_leftmost;
    QFont font = m_designFont;
    // On a small board the design size itself may be below the readable least.
    font.setPointSizeF(std::max(minimumPointSize, font.pointSizeF()));
    while (widthFor(font) > room && font.pointSizeF() > minimumPointSize)
        font.setPointSizeF(std::max(minimumPointSize, font.pointSizeF() - shrinkStep));
    QRect geometry = m_designGeometry;
    geometry.setLeft(std::min(geometry.left(), geometry.right() + 1 - widthFor(font)));
    setFont(font);
    setGeometry(geometry);
}

} // namespace kelvara
