// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The self-running demonstration's script as data: thirteen captions and,
// between them, the settings, switches and buttons of the main window that it
// works, in playing order. The window that plays it gives each step its effect.

#include <QString>

#include <vector>

namespace kelvara {

enum class DemoAction {
    Caption,     // shows caption `number` and waits for a key; Esc ends the script
    HidePanel,   // takes the caption off the board
    SetText,     // gives a setting box `text`
    Tick,        // ticks a check box
    Clear,       // clears a check box
    Speed,       // moves the speed bar to position `number`
    Run,
    Reset,
    FunnelLeft,  // one move of the funnel
    FunnelRight,
    EmptyBaffle,
    Wait,        // `number` seconds
    Highlight,   // a setting box shows yellow for `number` seconds
    PlaceCharts, // the charts window to the screen's left edge, a fifth of the main window's height down
    ShowCharts,
    HideCharts,
    ResetCharts,
    Finish,      // clears the caption panel and gives the user the control panel back
};

enum class DemoControl { None, DropCount, Rows, SubgroupSize, ControlLimits, Animation, Trace, Baffle };

struct DemoStep {
    DemoAction action;
    DemoControl control = DemoControl::None;
    double number = 0;
    QString text = {};
};

/// The script from the first caption to the restored settings at its end.
const std::vector<DemoStep> &demoScript();

} // namespace kelvara
