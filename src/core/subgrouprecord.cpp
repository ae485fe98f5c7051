// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/subgrouprecord.h"

#include "core/numberformat.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdlib>

namespace kelvara {

void SubgroupRecord::clear(int subgroupSize)
{
    m_rows.clear();
    m_subgroupSize = subgroupSize;
}

void SubgroupRecord::beginRow()
{
    m_rows.append(SubgroupRow());
}

void SubgroupRecord::addBall(float slot, double value, const DisplayFormats &formats)
{
    SubgroupRow &row = m_rows.last();
    row.positions.append(shown(slot, Plain, formats));
    row.readings.append(shown(value, Reading, formats));
}

void SubgroupRecord::closeRow(const DisplayFormats &formats)
{
    SubgroupRow &row = m_rows.last();
    const int n = int(row.positions.size());
    // The slot sum is rounded to a whole number after every ball, the
    // readings' sum kept in 32 bits.
    int sum = 0, high = 0, low = 0;
    float readingSum = 0.0f;
    for (int i = 0; i < n; ++i) {
        sum = toInt16(double(sum) + double(row.positions[i]));
        readingSum = toSingle(double(readingSum) + double(row.readings[i]));
        const int whole = toInt16(row.positions[i]);
        high = i == 0 ? whole : std::max(high, whole);
        low = i == 0 ? whole : std::min(low, whole);
    }
    row.slotAverage = shown(toSingle(double(sum) / double(n)), Plain, formats);
    row.average = shown(toSingle(double(readingSum) / double(n)), Mean, formats);

    const bool movingRange = n == 1 && m_rows.size() > 1;
    const SubgroupRow *previous = movingRange ? &m_rows[m_rows.size() - 2] : nullptr;
    row.slotRange = toInt16(previous ? std::abs(low - toInt16(previous->slotAverage)) : high - low);
    float range = 0.0f;
    if (previous) {
        range = std::abs(previous->readings.value(0) - row.readings.value(0));
    } else {
        const auto [lowest, highest] = std::minmax_element(row.readings.cbegin(), row.readings.cend());
        range = toSingle(double(*highest) - double(*lowest));
    }
    row.range = shown(range, Range, formats);
    row.complete = true;
}

float SubgroupRecord::measurement(int row, int column) const
{
    const SubgroupRow &r = this->row(row);
    if (column == averageColumn(m_subgroupSize))
        return r.average;
    if (column == rangeColumn(m_subgroupSize))
        return r.range;
    return r.readings.value(column - 1);
}

float SubgroupRecord::slotValue(int row, int column) const
{
    const SubgroupRow &r = this->row(row);
    if (column == averageColumn(m_subgroupSize))
        return r.slotAverage;
    if (column == rangeColumn(m_subgroupSize))
        return float(r.slotRange);
    return r.positions.value(column - 1);
}

QString SubgroupRecord::measurementText(int row, int column, const DisplayFormats &formats,
                                        const QLocale &locale) const
{
    if (column == 0)
        return QString::number(row);
    const SubgroupRow &r = this->row(row);
    if (column == averageColumn(m_subgroupSize))
        return r.complete ? textOf(r.average, Mean, formats, locale) : QString();
    if (column == rangeColumn(m_subgroupSize))
        return r.complete ? textOf(r.range, Range, formats, locale) : QString();
    return column <= r.readings.size() ? textOf(r.readings[column - 1], Reading, formats, locale) : QString();
}

QString SubgroupRecord::slotText(int row, int column, const QLocale &locale) const
{
    if (column == 0)
        return QString::number(row);
    const SubgroupRow &r = this->row(row);
    if (column == rangeColumn(m_subgroupSize))
        return r.complete ? QString::number(r.slotRange) : QString();
    if (column == averageColumn(m_subgroupSize))
        return r.complete ? plainNumber(r.slotAverage, locale) : QString();
    return column <= r.positions.size() ? plainNumber(r.positions[column - 1], locale) : QString();
}

const QString &SubgroupRecord::formatOf(Shape shape, const DisplayFormats &formats)
{
    static const QString none;
    switch (shape) {
    case Reading:
        return formats.reading;
    case Mean:
        return formats.mean;
    case Range:
        return formats.range;
    default:
        return none;
    }
}

QString SubgroupRecord::textOf(float value, Shape shape, const DisplayFormats &formats, const QLocale &locale) const
{
    return formatNumber(value, formatOf(shape, formats), locale);
}

float SubgroupRecord::shown(double value, Shape shape, const DisplayFormats &formats) const
{
    Rounding &rounding = m_rounding[shape];
    const QString &format = formatOf(shape, formats);
    if (rounding.format != format) {
        rounding.format = format;
        rounding.values.clear();
    }
    const quint64 key = std::bit_cast<quint64>(value);
    const auto known = rounding.values.constFind(key);
    if (known != rounding.values.cend())
        return *known;
    const QLocale c = QLocale::c();
    const QString text = shape == Plain ? plainNumber(float(value), c) : formatNumber(value, format, c);
    const float read = readSingle(text, c);
    rounding.values.insert(key, read);
    return read;
}

} // namespace kelvara
