// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The four funnel rules compared on the same balls: the random decisions are
// drawn once and replayed under every rule through a headless run, so the
// rules differ only in where they put the funnel.

#include "core/ballpath.h"
#include "core/funnelrule.h"

#include <QLocale>
#include <QString>

#include <array>
#include <functional>
#include <vector>

namespace kelvara {

/// Draws from another source once and hands the same draws out again after
/// each rewind.
class ReplaySource : public RandomSource {
public:
    explicit ReplaySource(RandomSource &source) : m_source(source) {}
    float nextUniform() override;
    /// The next draws repeat the ones handed out since the start.
    void rewind() { m_next = 0; }
    /// How many draws the source has given so far.
    std::size_t drawn() const { return m_draws.size(); }

private:
    RandomSource &m_source;
    std::vector<float> m_draws;
    std::size_t m_next = 0;
};

/// What one rule did to the landings, in slots.
struct RuleStatistics {
    double mean = 0.0;
    double standardDeviation = 0.0;
    double variance = 0.0;
    int clampedCount = 0;
};

/// Mean, sample standard deviation and variance of the landings.
RuleStatistics landingStatistics(const std::vector<int16> &landings, int clampedCount);

/// "Rule 2: mean 16.02, standard deviation 1.41, variance 2.00 times rule 1,
/// 0 moves stopped at the edge" in the user's locale.
QString ruleResultText(FunnelMoveRule rule, const RuleStatistics &statistics, const RuleStatistics &ruleOne,
                       const QLocale &locale = QLocale());

/// The balls of one comparison and their landings under each rule.
class FunnelComparison {
public:
    /// `offsetRows` must be even; `target` is where the funnel starts under
    /// every rule.
    FunnelComparison(int16 offsetRows, int16 target, int balls, RandomSource &random);

    /// Drops every ball under all four rules; `keepGoing` is asked between
    /// slices of balls and stops the comparison when it answers false.
    /// True when the comparison is complete.
    bool run(const std::function<bool()> &keepGoing);

    int balls() const { return m_balls; }
    int16 target() const { return m_target; }
    const std::vector<int16> &landings(FunnelMoveRule rule) const { return lane(rule).landings; }
    RuleStatistics statistics(FunnelMoveRule rule) const;
    /// How many random decisions all four rules used between them.
    std::size_t decisionsDrawn() const { return m_replay.drawn(); }

    /// Subgroups dropped between two questions to `keepGoing`.
    static constexpr int sliceSubgroups = 150;
    /// Balls per subgroup of the headless runs: the most a subgroup holds,
    /// so that 100,000 balls stay within the run's subgroup count.
    static constexpr int subgroupSize = 15;

private:
    struct Lane {
        std::vector<int16> landings;
        int clamped = 0;
    };
    Lane &lane(FunnelMoveRule rule) { return m_lanes[std::size_t(rule) - 1]; }
    const Lane &lane(FunnelMoveRule rule) const { return m_lanes[std::size_t(rule) - 1]; }
    bool runRule(FunnelMoveRule rule, const std::function<bool()> &keepGoing);
    /// The landings of the first balls() balls of a run's record.
    std::vector<int16> landingsOf(const SubgroupRecord &record) const;

    int16 m_pinLevels;
    int16 m_target;
    int m_balls;
    ReplaySource m_replay;
    std::array<Lane, funnelRuleCount> m_lanes;
};

} // namespace kelvara
