// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What one press of "Run" does: drops the requested subgroups ball by ball,
// writes the readings with their average and range into both subgroup tables,
// fixes the control limits at the k-th subgroup and stops early when the board
// or the baffle is full or Pause was pressed. The window behind it implements
// DropCycleHost.

#include "core/ballpath.h"
#include "core/controllimits.h"
#include "core/runstate.h"
#include "core/sharedstate.h"
#include "core/texttable.h"

#include <QLocale>
#include <QString>

namespace kelvara {

class DropCycleHost {
public:
    virtual ~DropCycleHost() = default;

    // Settings, read as their boxes show them at the moment of use.
    virtual QString dropCountText() const = 0;    // subgroups per Run
    virtual QString subgroupSizeText() const = 0; // n
    virtual QString controlLimitText() const = 0; // k
    virtual QString rowsText() const = 0;         // offset rows
    virtual bool animationOn() const = 0;

    virtual double ballHeight() const = 0; // height of the ball template
    virtual double baffleY() const = 0;    // height of the baffle line

    virtual void setControlsEnabled(bool enabled) = 0;
    /// Lets pending events run; false when the program is closing and the
    /// cycle must stop.
    virtual bool letEventsRun() = 0;
    virtual void clearTraceLines() = 0;
    virtual void setTraceColour(int paletteIndex) = 0;
    /// Drops one ball, leaving its reading in RunState::ballPosition and where
    /// it left the funnel in RunState::ballStart; false when the ball did not
    /// land (the program is closing, a faulty generator).
    virtual bool dropBall(bool animated) = 0;
    virtual void showInformation(const QString &text) = 0;
    virtual void showSubgroupStatus(int subgroup) = 0;
    virtual void showControlLimits(const LimitTexts &texts) = 0;
    virtual void showCapability() = 0;
    virtual void drawCharts(int firstSubgroup) = 0;
};

class DropCycle {
public:
    DropCycle(RunState &run, SharedState &shared, TextTable &slotTable, TextTable &scaled,
              DropCycleHost &host, RandomSource &random);

    /// The press of "Run". Returns at once when a Run is already going on.
    void run();

    /// Measurement-table range of a row: the moving range for n = 1 from row 2
    /// on, otherwise the largest minus the smallest displayed reading.
    QString scaledRange(int row) const;

    static const QString boardFullMessage;
    static const QString baffleFullMessage;

private:
    enum class Outcome { Completed, Aborted };
    void computeCapacities();
    bool capacityExceeded();
    void trackProcessChanges();
    Outcome dropSubgroup();
    void closeRow(int row, int n, int sum, int hi, int lo, float scaledSum);
    void finish();
    int16 readInt(const QString &text) const;

    RunState &m_run;
    SharedState &m_shared;
    TextTable &m_slots;
    TextTable &m_scaled;
    DropCycleHost &m_host;
    RandomSource &m_random;
    QLocale m_locale;
};

} // namespace kelvara
