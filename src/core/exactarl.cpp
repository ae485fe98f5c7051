// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/exactarl.h"

#include "core/ballpath.h"
#include "core/idealhistogram.h"
#include "core/numberformat.h"
#include "core/numeric.h"

#include <QList>

#include <cmath>
#include <map>

namespace kelvara {
namespace {

constexpr int centreSlot = 16;

// The chance of each sum of whole numbers.
using SumLaw = std::map<long long, double>;

// Decimal places of a picture format.
int decimalsOf(const QString &format)
{
    const qsizetype point = format.indexOf(u'.');
    return point < 0 ? 0 : int(format.size() - point - 1);
}

// A displayed number as a whole count of its format's last digit: "16.07"
// with two decimals is 1607. Sums of these are exact, as sums of the texts
// the program reads back would be.
long long lastDigitCount(const QString &text, int decimals)
{
    const qsizetype point = text.indexOf(u'.');
    const int shown = point < 0 ? 0 : int(text.size() - point - 1);
    QString digits = text;
    digits.remove(u'.');
    long long count = digits.toLongLong();
    for (int d = shown; d < decimals; ++d)
        count *= 10;
    return count;
}

// The law of one reading as the measurement table shows it: which slot the
// ball lands in comes from the ideal module, what that slot reads as from the
// scale and the reading format. Under a scale whose slots are not whole
// hundredths apart (centre 5, half-width 1) readings round differently, so
// the average is not a function of the slot sum alone: the sums below are
// therefore taken over the displayed readings, not over the slots.
SumLaw readingLaw(const BallOrigin &origin, const Scale &scale, const QString &readingFormat)
{
    const int decimals = decimalsOf(readingFormat);
    const QLocale c = QLocale::c();
    const ExpectedCounts chances = slotChances(origin);
    SumLaw law;
    for (int slot = 1; slot <= slotTotal; ++slot)
        if (chances[slot - 1] > 0.0) {
            const QString text = formatNumber(scale.scaleValue(float(slot)), readingFormat, c);
            law[lastDigitCount(text, decimals)] += chances[slot - 1];
        }
    return law;
}

SumLaw addIndependent(const SumLaw &sums, const SumLaw &term)
{
    SumLaw next;
    for (const auto &[sum, chance] : sums)
        for (const auto &[value, termChance] : term)
            next[sum + value] += chance * termChance;
    return next;
}

} // namespace

ChartLines theoryLimits(int rows, int subgroupSize, const Scale &scale)
{
    const double centre = rows % 2 == 0 ? centreSlot : centreSlot - 0.5;
    const double spread = 3.0 * std::sqrt(rows / 4.0) / std::sqrt(double(subgroupSize));
    const float below = scale.valueOf(centre - spread), above = scale.valueOf(centre + spread);
    // A scale may run downwards; the upper limit is the larger value.
    return {scale.valueOf(centre), std::max(below, above), std::min(below, above)};
}

ExactArl::ExactArl(int rows, int subgroupSize, const Scale &scale, const DisplayFormats &formats)
    : m_rows(rows), m_n(subgroupSize), m_scale(scale), m_formats(formats),
      m_limits(theoryLimits(rows, subgroupSize, scale))
{
}

double ExactArl::signalChance(int shift) const
{
    const int16 pinLevels = toInt16(m_rows + 1);
    const BallOrigin origin{toInt16(m_rows), PathStepper(float(centreSlot + shift), pinLevels).start()};
    const SumLaw reading = readingLaw(origin, m_scale, m_formats.reading);
    SumLaw sums{{0, 1.0}};
    for (int ball = 0; ball < m_n; ++ball)
        sums = addIndependent(sums, reading);
    double chance = 0.0;
    for (const auto &[sum, sumChance] : sums)
        if (averageSignals(sum))
            chance += sumChance;
    return chance;
}

std::optional<double> ExactArl::averageRunLength(int shift) const
{
    const double chance = signalChance(shift);
    if (chance <= 0.0)
        return std::nullopt;
    return 1.0 / chance;
}

// The average as the program keeps it: the displayed readings summed in
// 32-bit storage, divided by n, shown with the average's format and read back;
// rule 1 then judges that value as the charts window does. The program adds
// the readings one at a time, each sum rounded to 32 bits; here the sum is the
// 32-bit value nearest the exact one. The two differ in the last bit at most,
// which changes the shown average only when it lies exactly halfway between
// two of its last digits and a limit lies between those two.
bool ExactArl::averageSignals(long long readingSum) const
{
    const QLocale c = QLocale::c();
    const float sum = toSingle(double(readingSum) / std::pow(10.0, decimalsOf(m_formats.reading)));
    const float average = toSingle(double(sum) / double(m_n));
    const QList<float> point{readSingle(formatNumber(average, m_formats.mean, c), c)};
    return (meanChartRules(point, 0, m_limits) & ruleBit(1)) != 0;
}

} // namespace kelvara
