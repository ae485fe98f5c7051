// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One run of the quincunx: the board's state, the record of its subgroups,
// the drop cycle, the limits it fixes, the capability they give and the
// run-rule signals judged against them. It drops balls with the core's path,
// records them and tells a listener what happened; the main window is such a
// listener and draws. Without a listener the run is headless:
//
//     const SharedState shared = SharedState::initial();
//     TwisterSource random(seed);
//     QuincunxRun run(shared, random);
//     RunSettings settings;              // rows, n, k, subgroups per Run, ...
//     settings.unlimitedRoom = true;     // out of sight no slot fills up
//     run.setSettings(settings);
//     run.reset();
//     run.setFunnelRule(&myRule);        // optional: moves the funnel between balls
//     run.run();                         // one press of "Run"
//     run.record(), run.state().xBarBar, run.runSignals(), run.stop(), ...
//
// A headless run never waits and never lets events run.

#include "core/capability.h"
#include "core/dropcycle.h"
#include "core/runsignals.h"
#include "core/subgrouprecord.h"

#include <QString>

namespace kelvara {

class QuincunxRun;

/// Where a ball came to rest.
struct BallLanding {
    int16 slot = 0;
    bool onBaffle = false;
    double x = 0;      // board x of the ball's centre at the end of its path
    PileBall pile{};   // where it lies in its slot's pile (not on the baffle)
    double baffleTop = 0; // the upper edge of it on the baffle
};

/// What a window (or anything else that shows a run) is told. Every
/// operation has a default that shows nothing.
class RunListener {
public:
    virtual ~RunListener() = default;

    /// A new run began: no subgroups, empty slots, baffle and record.
    virtual void runReset() {}
    virtual void runStarted() {}
    virtual void runEnded() {}
    /// Lets pending events run; false when the program is closing.
    virtual bool letEventsRun() { return true; }
    virtual void traceLinesCleared() {}
    virtual void traceColourChosen(int /*paletteIndex*/) {}
    /// An animated ball leaves the funnel, reaches the next pin row (before
    /// its decision is drawn) and crosses it; false ends the ball.
    virtual bool ballStarted(const PathStepper & /*path*/) { return true; }
    virtual void ballAtPin(const PathStepper & /*path*/) {}
    virtual bool ballStepped(const PathStepper & /*path*/) { return true; }
    virtual void ballLanded(const BallLanding & /*landing*/, bool /*animated*/) {}
    virtual void rowBegun(int /*row*/) {}
    virtual void ballRecorded(int /*row*/, int /*ball*/) {}
    virtual void rowClosed(int /*row*/) {}
    virtual void subgroupCounted(int /*subgroups*/) {}
    /// The limits were fixed, or forgotten (empty texts) for a new board.
    virtual void limitTextsChanged(const LimitTexts & /*texts*/) {}
    virtual void capabilityChanged(const CapabilityView & /*view*/) {}
    virtual void chartsDue(int /*firstSubgroup*/) {}
    virtual void stopped(RunStop /*why*/, const QString & /*message*/) {}
    virtual void funnelMoved() {}
};

/// A way of moving the funnel between balls; the run asks it after every
/// ball has landed and been recorded, before the next ball starts.
class FunnelRule {
public:
    virtual ~FunnelRule() = default;
    virtual void afterLanding(QuincunxRun &run) = 0;
};

class QuincunxRun : private DropCycleHost {
public:
    QuincunxRun(const SharedState &shared, RandomSource &random);

    /// The one who is told what happens; null for a headless run.
    void setListener(RunListener *listener) { m_listener = listener ? listener : &m_silent; }
    void setFunnelRule(FunnelRule *rule) { m_funnelRule = rule; }
    void setSettings(const RunSettings &settings);
    RunSettings settings() const override { return m_settings; }

    /// A new run: empty slots, baffle and record, the funnel at the centre,
    /// no subgroups, the process unchanged. The limits of the last run stay
    /// until new ones are fixed.
    void reset();
    /// The press of "Run": drops the settings' number of subgroups.
    void run();
    /// Asks a Run going on to stop after its current subgroup.
    void pause() { m_state.pauseRequested = true; }
    /// Counts no Run as going on any more (Reset, the demonstration's start).
    void markIdle() { m_state.isRunning = false; }
    /// The wait between an animated ball's steps, in seconds.
    void setStepDelay(double seconds) { m_state.stepDelay = seconds; }
    /// Whether an animated ball leaves a trace line behind it.
    void setTraceShown(bool shown) { m_state.traceOn = shown; }
    /// The width of a ball as drawn, in board units.
    void setBallSize(float size) { m_state.ballSize = size; }

    /// Drops one ball and records where it rested in the state (not in the
    /// record); false when it did not land.
    bool dropBall(bool animated) override;

    /// Moves the funnel one slot left (-1) or right (+1) as its buttons do,
    /// as far as the pins reach; false when it stands at the end.
    bool moveFunnel(int direction);
    /// Puts the funnel at a slot position, kept within the reach of its
    /// buttons; the process counts as changed from the next subgroup.
    void placeFunnel(float position);
    /// The funnel's leftmost and rightmost positions for the current rows.
    float lowestFunnel() const;
    float highestFunnel() const;

    RunState &state() { return m_state; }
    const RunState &state() const { return m_state; }
    const SubgroupRecord &record() const { return m_record; }
    const SharedState &shared() const { return m_shared; }
    /// The label texts of the limits fixed last; empty before.
    const LimitTexts &limitTexts() const { return m_limitTexts; }
    /// Forgets the limit texts (a new board drawn).
    void clearLimitTexts();
    /// n as the tables lay it out, and k, of the settings the run runs with.
    int subgroupSize() const;
    int limitCount() const { return m_settings.limitCount; }
    /// This run has dropped its first k subgroups: its limits are fixed.
    bool limitsFixed() const;
    /// The control limits of the centre lines fixed last.
    ControlLimits controlLimits() const;

    /// What the capability labels show; hidden until the limits are fixed.
    const CapabilityView &capability() const { return m_capability; }
    /// Works the capability out again, for the shared scale and specification
    /// limits as they are now; the listener hears of it when it changed.
    void updateCapability();

    /// The run-rule signals of the subgroups closed so far, judged against
    /// the limits once they are fixed; empty before.
    const RunSignals &runSignals() const { return m_signals; }
    /// The first subgroup that signalled after the process changed; 0 when
    /// none has (or the process has not changed).
    int firstSignalAfterChange() const;
    /// Why the last Run stopped early.
    RunStop stop() const { return m_stop; }

    static const QString generatorFailedMessage;

private:
    // DropCycleHost
    void setControlsEnabled(bool enabled) override;
    bool letEventsRun() override;
    void clearTraceLines() override;
    void setTraceColour(int paletteIndex) override;
    void stopped(RunStop why) override;
    void rowBegun(int row) override;
    void ballRecorded(int row, int ball) override;
    void rowClosed(int row) override;
    void showSubgroupStatus(int subgroup) override;
    void showControlLimits(const LimitTexts &texts) override;
    void showCapability() override;
    void drawCharts(int firstSubgroup) override;

    bool walkAnimated(PathStepper &path);
    void land(const PathStepper &path, bool animated);
    void followSignals();
    /// The message a stop shows.
    static QString messageFor(RunStop why);

    const SharedState &m_shared;
    RandomSource &m_random;
    RunListener m_silent;
    RunListener *m_listener = &m_silent;
    FunnelRule *m_funnelRule = nullptr;
    RunSettings m_settings;
    RunState m_state;
    SubgroupRecord m_record;
    DropCycle m_cycle;
    LimitTexts m_limitTexts;
    CapabilityView m_capability;
    bool m_capabilityTold = false;
    RunSignals m_signals;
    RunStop m_stop = RunStop::None;
};

} // namespace kelvara
