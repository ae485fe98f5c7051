// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/histogramdata.h"

#include "core/numberformat.h"
#include "core/scale.h"
#include "core/subgrouprecord.h"

#include <algorithm>

namespace kelvara {

SlotCounts individualCounts(const RunState &run)
{
    SlotCounts counts{};
    for (int slot = 1; slot <= slotTotal; ++slot)
        counts[slot - 1] = toInt16(double(run.slotCount[slot]) + double(run.baffleCount[slot]));
    return counts;
}

SlotCounts landingCounts(const std::vector<int16> &landings)
{
    SlotCounts counts{};
    for (const int16 slot : landings)
        if (slot >= 1 && slot <= slotTotal)
            ++counts[slot - 1];
    return counts;
}

int16 averageBin(float average)
{
    return toInt16(average);
}

SlotCounts averageCounts(const SubgroupRecord &record, int subgroupCount)
{
    const int lastRow = std::min(subgroupCount, record.rowCount());
    SlotCounts counts{};
    for (int row = 1; row <= lastRow; ++row) {
        const int slot = averageBin(record.row(row).slotAverage);
        if (slot >= 1 && slot <= slotTotal)
            counts[slot - 1] = toInt16(counts[slot - 1] + 1.0);
    }
    return counts;
}

QStringList slotLabels(const Scale &scale, const QString &format, const QLocale &locale)
{
    QStringList labels;
    for (int slot = 1; slot <= slotTotal; ++slot)
        labels << formatNumber(scale.scaleValue(float(slot)), format, locale);
    return labels;
}

CountAxis countAxisFor(int highest)
{
    constexpr int maxSteps = 6;
    const int wanted = std::max(highest, 1);
    for (int power = 1;; power *= 10) {
        for (const int multiple : {1, 2, 5}) {
            const int step = multiple * power;
            if (wanted <= step * maxSteps)
                return {(wanted + step - 1) / step * step, step};
        }
    }
}

} // namespace kelvara
