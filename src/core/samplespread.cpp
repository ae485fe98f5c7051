// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/samplespread.h"

#include "core/subgrouprecord.h"

#include <algorithm>
#include <cmath>

namespace kelvara {
namespace {

// Columns first..last of the record's first subgroupCount rows, in two
// passes so that a spread small beside the mean loses no digits.
SampleSpread columnSpread(const SubgroupRecord &record, int first, int last, int subgroupCount)
{
    const int rows = std::min(subgroupCount, record.rowCount());
    QList<double> values;
    for (int row = 1; row <= rows; ++row)
        for (int column = first; column <= last; ++column)
            values << double(record.measurement(row, column));
    SampleSpread spread;
    spread.count = int(values.size());
    if (values.isEmpty())
        return spread;
    double sum = 0;
    for (const double value : values)
        sum += value;
    spread.mean = sum / spread.count;
    if (spread.count < 2)
        return spread;
    double squares = 0;
    for (const double value : values)
        squares += (value - spread.mean) * (value - spread.mean);
    spread.deviation = std::sqrt(squares / (spread.count - 1));
    return spread;
}

} // namespace

SampleSpread readingSpread(const SubgroupRecord &record, int subgroupCount)
{
    return columnSpread(record, 1, record.subgroupSize(), subgroupCount);
}

SampleSpread averageSpread(const SubgroupRecord &record, int subgroupCount)
{
    const int average = SubgroupRecord::averageColumn(record.subgroupSize());
    return columnSpread(record, average, average, subgroupCount);
}

} // namespace kelvara
