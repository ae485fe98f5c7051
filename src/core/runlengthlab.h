// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The run-length lab's runs, out of sight: each run drops subgroups from the
// centre slot through the board's own drop cycle, moves the funnel after
// subgroup S and goes on until the X-bar (X) chart's first signal after S, or
// until `longestWait` subgroups after S have brought none. The work comes in
// slices, so that the window can let events run in between.

#include "core/runlengthresults.h"
#include "core/runrules.h"
#include "core/sharedstate.h"

#include <QList>

#include <chrono>
#include <memory>

namespace kelvara {

class RandomSource;
class QuincunxRun;

/// What the lab is asked to measure.
struct RunLengthSettings {
    int rows = 20;
    int subgroupSize = 5;      // n
    int limitCount = 20;       // k
    int shift = 1;             // slots the funnel moves, either way
    int shiftAfter = 20;       // S: the funnel moves after this subgroup
    bool allRules = false;     // rules 1 to 4, else rule 1 alone
    bool theoryLimits = false; // limits from theory, else from the first k subgroups
    int runs = 1000;           // N
};

/// The shift kept within the funnel's reach from the centre slot with `rows` rows.
int clampedShift(int rows, int shift);

/// The most subgroups a run goes on after the shift without a signal.
inline constexpr int longestWait = 10000;

class RunLengthLab {
public:
    /// `shared` gives the scale, the display formats and the factor tables,
    /// taken as they are now; the runs draw from `random`.
    RunLengthLab(const RunLengthSettings &settings, const SharedState &shared, RandomSource &random);
    ~RunLengthLab();

    /// Drops subgroups until `slice` has passed or every run is done; a run
    /// not done goes on at the next call.
    void advance(std::chrono::milliseconds slice);
    /// Every run done, or none can be (a failed generator).
    bool finished() const { return m_failed || m_results.runs() >= m_settings.runs; }

    const RunLengthResults &results() const { return m_results; }
    /// The shift the funnel could make: the one asked for, kept within the
    /// funnel's limits for the rows.
    int shiftMade() const { return m_shiftMade; }

    /// The run in progress, or the last one when all are done.
    const QuincunxRun &lastRun() const { return *m_run; }

private:
    void startRun();
    void dropSubgroup();
    void endRun(std::optional<int> delay);
    bool judge(int subgroup) const;

    RunLengthSettings m_settings;
    const SharedState m_shared; // as it was when the lab began
    std::unique_ptr<QuincunxRun> m_run;
    int m_shiftMade = 0;
    ChartLines m_theory;
    RunLengthResults m_results;
    // The run in progress.
    int m_subgroup = 0;
    QList<float> m_means; // the X-bar chart's points, subgroup i at index i - 1
    bool m_falseAlarm = false;
    bool m_failed = false;
};

} // namespace kelvara
