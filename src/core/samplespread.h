// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The mean and sample standard deviation of what the measurement table shows:
// every reading of the run, or every subgroup average.

#include <QLocale>

namespace kelvara {

class TextTable;

struct SampleSpread {
    int count = 0;
    double mean = 0.0;
    double deviation = 0.0; // divisor count - 1; 0 for fewer than two values
};

/// The readings (columns 1..n) of rows 1..subgroupCount.
SampleSpread readingSpread(const TextTable &measurements, int n, int subgroupCount,
                           const QLocale &locale = QLocale());

/// The averages (column n + 1) of rows 1..subgroupCount.
SampleSpread averageSpread(const TextTable &measurements, int n, int subgroupCount,
                           const QLocale &locale = QLocale());

} // namespace kelvara
