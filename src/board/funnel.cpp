// SPDX-License-Identifier: GPL-3.0-or-later
#include "board/funnel.h"

#include "board/boardpictures.h"
#include "core/numberformat.h"
#include "core/pathstepper.h"
#include "surface/drawingsurface.h"
#include "surface/fittinglabel.h"
#include "surface/overlay.h"

#include <QLabel>
#include <QToolButton>

namespace kelvara {
namespace {

constexpr double buttonWidth = 6.41;
constexpr double buttonHeight = 3.68;
// The pins end at x = 88.75 at most: right of them the board is free, and a
// long centre value may widen its label into that margin.
constexpr double freeMarginLeft = 89.5;

QToolButton *makeButton(DrawingSurface *board, const QString &name, ArrowDirection direction)
{
    auto *button = new QToolButton(board);
    button->setObjectName(name);
    button->setIcon(funnelButtonIcon(direction));
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::TabFocus);
    const QString action = direction == ArrowDirection::Left ? QObject::tr("Move the funnel left")
                                                             : QObject::tr("Move the funnel right");
    button->setToolTip(action);
    button->setAccessibleName(action);
    return button;
}

} // namespace

Funnel::Funnel(DrawingSurface *board, RunState &run, const SharedState &shared)
    : m_board(board), m_run(run), m_shared(shared),
      m_image(new OverlayImage(board, QStringLiteral("funnel"), funnelImage())),
      m_leftButton(makeButton(board, QStringLiteral("funnelleftbutton"), ArrowDirection::Left)),
      m_rightButton(makeButton(board, QStringLiteral("funnelrightbutton"), ArrowDirection::Right)),
      m_caption(new QLabel(QStringLiteral("Process Centered at"), board)),
      m_centreLabel(new FittingLabel(QStringLiteral("16"), board))
{
    m_image->setGeometry(homeLeft, top, width, height);

    m_caption->setObjectName(QStringLiteral("lblProcCen"));
    m_caption->setWordWrap(true);
    QFont small = m_caption->font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    m_caption->setFont(small);
    m_caption->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
    board->placeWidget(m_caption, 90.63, 94.39, 8.2, 6.9);

    m_centreLabel->setObjectName(QStringLiteral("processcenteredatlabel"));
    m_centreLabel->setAlignment(Qt::AlignCenter);
    m_centreLabel->setAutoFillBackground(true);
    m_centreLabel->setStyleSheet(QStringLiteral("QLabel { background: rgb(255,0,0); color: white; }"));
    QFont bold = m_centreLabel->font();
    bold.setBold(true);
    m_centreLabel->setFont(bold);
    board->placeFittingLabel(m_centreLabel, 90.63, 87.37, 7.66, 2.98, freeMarginLeft);
}

void Funnel::putHome()
{
    m_image->setLeft(homeLeft);
}

void Funnel::placeButtons()
{
    m_board->placeWidget(m_leftButton, 1, 99, buttonWidth, buttonHeight);
    m_board->placeWidget(m_rightButton, 99 - buttonWidth, 99, buttonWidth, buttonHeight);
}

void Funnel::showProcessCenter()
{
    const float value = m_shared.scale.valueOf(m_run.funnelPosition);
    m_centreLabel->setFittedText(formatNumber(value, m_shared.formats.reading));
    m_centreLabel->repaint();
}

void Funnel::followRun()
{
    m_image->setLeft(homeLeft + (double(m_run.funnelPosition) - 16.0) * geometry::slotWidth);
    showProcessCenter();
}

} // namespace kelvara
