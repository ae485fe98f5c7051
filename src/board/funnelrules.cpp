// SPDX-License-Identifier: GPL-3.0-or-later
#include "board/funnelrules.h"

#include "board/boardpictures.h"
#include "core/pathstepper.h"
#include "surface/drawingsurface.h"
#include "surface/overlay.h"

#include <QLabel>

namespace kelvara {
namespace {

// The mark points down at the target from the board's top edge: there the
// funnel's outlet end stays lower than the mark, and no ball ever is.
constexpr double markWidth = 1.8;
constexpr double markTop = 100.0;
constexpr double markHeight = 1.1;

} // namespace

FunnelRules::FunnelRules(DrawingSurface *board, RunState &run)
    : m_run(run),
      m_mark(new OverlayImage(board, QStringLiteral("funnelTargetMark"), targetMarkImage())),
      m_label(new QLabel(board))
{
    m_mark->setGeometry(0, markTop, markWidth, markHeight);
    m_mark->setVisible(false);
    m_label->setObjectName(QStringLiteral("funnelRuleLabel"));
    m_label->setWordWrap(true);
    m_label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    QFont small = m_label->font();
    small.setPointSizeF(small.pointSizeF() * 0.8);
    m_label->setFont(small);
    m_label->setStyleSheet(QStringLiteral("QLabel { color: rgb(192,0,0); background: transparent; }"));
    // In the right margin below the baffle's handle, where nothing else is.
    board->placeWidget(m_label, 89.3, 54.5, 10.5, 10.0);
    m_label->hide();
}

bool FunnelRules::rulesAllowed() const
{
    return funnelRulesAllowed(m_run.pinLevels);
}

void FunnelRules::choose(FunnelMoveRule rule)
{
    if (rule != FunnelMoveRule::LeaveAlone && !rulesAllowed())
        return;
    m_experiment.choose(rule, toInt16(m_run.funnelPosition));
    show();
}

void FunnelRules::end()
{
    m_experiment.end();
    show();
}

void FunnelRules::afterLanding(QuincunxRun &run)
{
    if (!m_experiment.running())
        return;
    m_experiment.afterLanding(run);
    show();
}

int16 FunnelRules::target() const
{
    return m_experiment.running() ? m_experiment.target() : toInt16(m_run.funnelPosition);
}

void FunnelRules::show()
{
    const bool running = m_experiment.running();
    if (running) {
        m_mark->setGeometry(startX(float(m_experiment.target())) - markWidth / 2, markTop, markWidth, markHeight);
        m_label->setText(funnelRuleStatus(m_experiment.rule(), m_experiment.clampedCount()));
    }
    m_mark->setVisible(running);
    m_label->setVisible(running);
}

} // namespace kelvara
