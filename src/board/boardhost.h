// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the board needs from the window it sits in.

namespace kelvara {

class BoardHost {
public:
    virtual ~BoardHost() = default;
    /// Clears the run's data; every full drawing of the board starts with it.
    virtual void resetRun() = 0;
    /// Updates the capability labels; every drawing of the board ends with it.
    virtual void showCapability() = 0;
    /// Empties the value labels of the control charts (a new run has no limits).
    virtual void clearChartValueTitles() = 0;
    virtual bool baffleShown() const = 0;
    /// Lets pending events run; false when the program is closing.
    virtual bool letEventsRun() = 0;
};

} // namespace kelvara
