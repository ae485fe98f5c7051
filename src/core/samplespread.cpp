// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/samplespread.h"

#include "core/numberformat.h"
#include "core/texttable.h"

#include <algorithm>
#include <cmath>

namespace kelvara {
namespace {

// Columns first..last of the table's first subgroupCount data rows, in two
// passes so that a spread small beside the mean loses no digits.
SampleSpread columnSpread(const TextTable &table, int first, int last, int subgroupCount, const QLocale &locale)
{
    const int rows = std::min(subgroupCount, table.rowCount() - 1);
    QList<double> values;
    for (int row = 1; row <= rows; ++row)
        for (int column = first; column <= last; ++column)
            values << double(readSingle(table.text(row, column), locale));
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

SampleSpread readingSpread(const TextTable &measurements, int n, int subgroupCount, const QLocale &locale)
{
    return columnSpread(measurements, 1, n, subgroupCount, locale);
}

SampleSpread averageSpread(const TextTable &measurements, int n, int subgroupCount, const QLocale &locale)
{
    return columnSpread(measurements, n + 1, n + 1, subgroupCount, locale);
}

} // namespace kelvara
