// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The funnel experiment's items in the board's popup menu: the submenu
// "Funnel Rule" with one checkable item a rule, and "Compare Funnel Rules...".

#include <functional>

class QMenu;

namespace kelvara {

class FunnelRules;

/// Adds the items to `menu`. Choosing a rule puts it in force on the board
/// and then calls `chosen`; the compare item calls `compare`. With an odd
/// number of offset rows rules 2-4 and the comparison are disabled, and
/// their hints say why.
void addFunnelRuleItems(QMenu *menu, FunnelRules &rules, const std::function<void()> &chosen,
                        const std::function<void()> &compare);

} // namespace kelvara
