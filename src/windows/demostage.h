// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the demonstration plays its script against: the controls at work as
// a teacher would use them, and the windows it places and repaints. The main
// window offers it.

#include "core/demoscript.h"

#include <QPoint>
#include <QRect>
#include <QString>

class QWidget;

namespace kelvara {

class DemoStage {
public:
    virtual ~DemoStage() = default;

    /// The window the captions stand on and the questions are asked over.
    virtual QWidget *stageWindow() = 0;
    /// Where the board lies in the stage window.
    virtual QRect boardArea() const = 0;
    /// True once the program is closing: the script ends.
    virtual bool isClosing() const = 0;
    /// The subgroups on the board since the last reset.
    virtual int subgroupCount() const = 0;

    /// Ends any run flag left set, enables the control panel and ticks Animation.
    virtual void readyForDemonstration() = 0;
    /// Takes the baffle away and locks the control panel while the script plays.
    virtual void clearBoardForDemonstration() = 0;
    virtual void setControlPanelEnabled(bool enabled) = 0;
    virtual void setSettingText(DemoControl setting, const QString &text) = 0;
    virtual void setOption(DemoControl option, bool ticked) = 0;
    /// Shows a setting's box on yellow for `seconds`.
    virtual void highlightSetting(DemoControl setting, double seconds) = 0;
    virtual void setSpeedPosition(int position) = 0;
    /// The presses of "Run" and "Reset", as their buttons do them.
    virtual void pressRun() = 0;
    virtual void pressReset() = 0;
    virtual void moveFunnel(int direction) = 0;
    virtual void emptyBaffle() = 0;

    virtual void showCharts() = 0;
    virtual void hideCharts() = 0;
    virtual void resetCharts() = 0;
    /// Puts the charts window's top left corner at a point of the screen.
    virtual void moveCharts(const QPoint &topLeft) = 0;
};

} // namespace kelvara
