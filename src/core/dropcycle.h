// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What one press of "Run" does: drops the requested subgroups ball by ball,
// writes the readings with their average and range into both subgroup tables,
// fixes the control limits at the k-th subgroup and stops early when the board
// or the baffle is full or Pause was pressed. The run (QuincunxRun) behind it
// implements DropCycleHost.

#include "core/ballpath.h"
#include "core/controllimits.h"
#include "core/pathstepper.h"
#include "core/runstate.h"
#include "core/sharedstate.h"
#include "core/subgrouprecord.h"

#include <QLocale>
#include <QString>

namespace kelvara {

/// What a Run is asked to do, as the control panel's boxes say it.
struct RunSettings {
    int rows = 20;         // offset rows: rows + 1 pin levels
    int subgroupSize = 5;  // n
    int limitCount = 20;   // k: the limits are fixed from the first k subgroups
    int dropCount = 10;    // subgroups per press of "Run"
    bool animated = false; // the ball falls row by row, with pictures and waits
    bool baffle = false;   // balls stop on the baffle above their slots
    /// No slot or baffle ever fills up: for runs nobody watches, so that a
    /// long run is not stopped by the room a picture has.
    bool unlimitedRoom = false;
    double ballHeight = geometry::ballHeight; // of the ball shape the board draws
};

/// Why a Run stopped before its count.
enum class RunStop { None, BoardFull, BaffleFull, GeneratorFailed, Aborted };

class DropCycleHost {
public:
    virtual ~DropCycleHost() = default;

    /// The settings at the moment of use.
    virtual RunSettings settings() const = 0;

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
    /// The board or the baffle is full: the Run stops.
    virtual void stopped(RunStop why) = 0;
    /// A subgroup's row was begun, got a ball, was closed (its cells can be shown).
    virtual void rowBegun(int row) = 0;
    virtual void ballRecorded(int row, int ball) = 0;
    virtual void rowClosed(int row) = 0;
    virtual void showSubgroupStatus(int subgroup) = 0;
    virtual void showControlLimits(const LimitTexts &texts) = 0;
    virtual void showCapability() = 0;
    virtual void drawCharts(int firstSubgroup) = 0;
};

class DropCycle {
public:
    DropCycle(RunState &run, const SharedState &shared, SubgroupRecord &record, DropCycleHost &host,
              RandomSource &random);

    /// The press of "Run". Returns at once when a Run is already going on.
    void run();

    static const QString boardFullMessage;
    static const QString baffleFullMessage;

private:
    enum class Outcome { Completed, Aborted };
    void computeCapacities();
    bool capacityExceeded();
    void trackProcessChanges();
    Outcome dropSubgroup();
    void closeRow();
    void finish();
    int subgroupSize() const;

    RunState &m_run;
    const SharedState &m_shared;
    SubgroupRecord &m_record;
    DropCycleHost &m_host;
    RandomSource &m_random;
};

} // namespace kelvara
