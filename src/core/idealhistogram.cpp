// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/idealhistogram.h"

#include "core/ballpath.h"
#include "core/histogramdata.h"
#include "core/numberformat.h"
#include "core/scale.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace kelvara {
namespace {

// The chances of 0, 1, ..., rows right turns: one row of Pascal's triangle
// divided by 2^rows, built by halving so no number grows large.
std::vector<double> rightTurnChances(int rows)
{
    std::vector<double> chances{1.0};
    for (int row = 0; row < rows; ++row) {
        std::vector<double> next(chances.size() + 1, 0.0);
        for (std::size_t j = 0; j < chances.size(); ++j) {
            next[j] += chances[j] / 2.0;
            next[j + 1] += chances[j] / 2.0;
        }
        chances = std::move(next);
    }
    return chances;
}

// Adds `weight` times a law over slot values (index = value) to a histogram's
// bars and to its first two moments.
struct MomentSums {
    double weight = 0, first = 0, second = 0;

    void add(double chance, double value)
    {
        weight += chance;
        first += chance * value;
        second += chance * value * value;
    }
    void finish(IdealHistogram &ideal) const
    {
        if (weight <= 0)
            return;
        ideal.mean = first / weight;
        ideal.deviation = std::sqrt(std::max(0.0, second / weight - ideal.mean * ideal.mean));
    }
};

// The law of the sum of a subgroup's slots, index = sum.
std::vector<double> sumChances(const std::vector<BallOrigin> &group)
{
    std::vector<double> sums{1.0};
    for (const BallOrigin &origin : group) {
        const ExpectedCounts chances = slotChances(origin);
        std::vector<double> next(sums.size() + slotTotal, 0.0);
        for (std::size_t sum = 0; sum < sums.size(); ++sum) {
            if (sums[sum] == 0.0)
                continue;
            for (int slot = 1; slot <= slotTotal; ++slot)
                next[sum + std::size_t(slot)] += sums[sum] * chances[slot - 1];
        }
        sums = std::move(next);
    }
    return sums;
}

// What one subgroup adds to the averages histogram.
struct SubgroupIdeal {
    ExpectedCounts bars{};
    MomentSums moments;
};

SubgroupIdeal subgroupIdeal(const std::vector<BallOrigin> &group)
{
    const int n = int(group.size());
    const std::vector<double> sums = sumChances(group);
    SubgroupIdeal ideal;
    for (std::size_t sum = 0; sum < sums.size(); ++sum) {
        if (sums[sum] == 0.0)
            continue;
        ideal.moments.add(sums[sum], double(sum) / n);
        const int bar = averageBar(int(sum), n);
        if (bar >= 1 && bar <= slotTotal)
            ideal.bars[bar - 1] += sums[sum];
    }
    return ideal;
}

} // namespace

ExpectedCounts slotChances(const BallOrigin &origin)
{
    ExpectedCounts chances{};
    const std::vector<double> turns = rightTurnChances(std::max<int>(origin.rows, 0));
    const int rows = int(turns.size()) - 1;
    for (int right = 0; right <= rows; ++right) {
        // Each row moves the ball half a slot: right turns minus left turns.
        const float end = toSingle(double(origin.start) + 0.5 * (2 * right - rows));
        chances[landingSlot(end) - 1] += turns[right];
    }
    return chances;
}

IdealHistogram idealIndividuals(const std::vector<BallOrigin> &balls)
{
    // A run drops most of its balls from a handful of origins.
    std::map<BallOrigin, int> dropped;
    for (const BallOrigin &origin : balls)
        ++dropped[origin];
    IdealHistogram ideal;
    MomentSums moments;
    for (const auto &[origin, count] : dropped) {
        const ExpectedCounts chances = slotChances(origin);
        for (int slot = 1; slot <= slotTotal; ++slot) {
            ideal.counts[slot - 1] += count * chances[slot - 1];
            moments.add(count * chances[slot - 1], slot);
        }
    }
    moments.finish(ideal);
    return ideal;
}

IdealHistogram idealAverages(const std::vector<BallOrigin> &balls, int n, int subgroupCount)
{
    IdealHistogram ideal;
    if (n < 1)
        return ideal;
    const int groups = std::clamp(subgroupCount, 0, int(balls.size()) / n);
    // The order of a subgroup's balls does not change its sum: subgroups of
    // the same origins share one convolution.
    std::map<std::vector<BallOrigin>, SubgroupIdeal> known;
    MomentSums moments;
    for (int group = 0; group < groups; ++group) {
        std::vector<BallOrigin> members(balls.begin() + group * n, balls.begin() + (group + 1) * n);
        std::sort(members.begin(), members.end());
        auto found = known.find(members);
        if (found == known.end())
            found = known.emplace(members, subgroupIdeal(members)).first;
        const SubgroupIdeal &subgroup = found->second;
        for (int bar = 0; bar < slotTotal; ++bar)
            ideal.counts[bar] += subgroup.bars[bar];
        moments.weight += subgroup.moments.weight;
        moments.first += subgroup.moments.first;
        moments.second += subgroup.moments.second;
    }
    moments.finish(ideal);
    return ideal;
}

int averageBar(int sum, int n)
{
    // The slot table holds toSingle(sum / n) to seven digits; for n up to 15
    // an average is at least 1/30 away from a half, so the text changes no bar.
    return averageBin(toSingle(double(sum) / double(n)));
}

QString idealComparison(const SampleSpread &observed, const IdealHistogram &ideal, const Scale &scale,
                        const QLocale &locale)
{
    const auto number = [&locale](double value) { return formatNumber(value, QStringLiteral("0.00"), locale); };
    const QString deviation = observed.count >= 2 ? number(observed.deviation) : QStringLiteral("NA");
    return QStringLiteral("Mean %1 (ideal %2), standard deviation %3 (ideal %4)")
        .arg(number(observed.mean), number(scale.valueOf(ideal.mean)), deviation,
             number(ideal.deviation * std::abs(scale.valuePerSlot())));
}

} // namespace kelvara
