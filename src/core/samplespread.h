// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The mean and sample standard deviation of what the measurement table shows:
// every reading of the run, or every subgroup average.

namespace kelvara {

class SubgroupRecord;

struct SampleSpread {
    int count = 0;
    double mean = 0.0;
    double deviation = 0.0; // divisor count - 1; 0 for fewer than two values
};

/// The readings of the complete subgroups 1..subgroupCount.
SampleSpread readingSpread(const SubgroupRecord &record, int subgroupCount);

/// The averages of the complete subgroups 1..subgroupCount.
SampleSpread averageSpread(const SubgroupRecord &record, int subgroupCount);

} // namespace kelvara
