// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/funnelrulemenu.h"

#include "board/funnelrules.h"

#include <QActionGroup>
#include <QMenu>

namespace kelvara {
namespace {

const QString needsEvenRows = QStringLiteral(
    "Needs an even number of offset rows: with an odd number a ball starts half a slot left of the funnel, "
    "so a funnel that follows the balls would creep to the left.");

} // namespace

void addFunnelRuleItems(QMenu *menu, FunnelRules &rules, const std::function<void()> &chosen,
                        const std::function<void()> &compare)
{
    const bool allowed = rules.rulesAllowed();
    QMenu *submenu = menu->addMenu(QStringLiteral("Funnel Rule"));
    submenu->setObjectName(QStringLiteral("mnuFunnelRule"));
    submenu->setToolTipsVisible(true);
    auto *group = new QActionGroup(submenu);
    group->setExclusive(true);
    for (int number = 1; number <= funnelRuleCount; ++number) {
        const FunnelMoveRule rule = funnelRuleNumbered(number);
        QAction *item = submenu->addAction(funnelRuleTitle(rule));
        item->setObjectName(QStringLiteral("mnuFunnelRule%1").arg(number));
        item->setCheckable(true);
        item->setChecked(rule == rules.rule());
        group->addAction(item);
        if (rule != FunnelMoveRule::LeaveAlone && !allowed) {
            item->setEnabled(false);
            item->setToolTip(needsEvenRows);
        }
        QObject::connect(item, &QAction::triggered, submenu, [&rules, rule, chosen] {
            rules.choose(rule);
            chosen();
        });
    }
    menu->setToolTipsVisible(true);
    QAction *compareItem = menu->addAction(QStringLiteral("Compare Funnel Rules..."));
    compareItem->setObjectName(QStringLiteral("mnuCompareFunnelRules"));
    compareItem->setEnabled(allowed);
    if (!allowed)
        compareItem->setToolTip(needsEvenRows);
    QObject::connect(compareItem, &QAction::triggered, menu, compare);
}

} // namespace kelvara
