// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/controllimits.h"

#include "core/numberformat.h"

namespace kelvara {
namespace {

const QString fiveSpaces = QStringLiteral("     ");

QString item(const QString &prefix, float value, const QString &format, const QLocale &locale)
{
    return prefix + formatNumber(value, format, locale);
}

// Sum of a slot column over rows first..last, every addition kept in 32 bits.
float columnSum(const SubgroupRecord &record, int column, int first, int last)
{
    float sum = 0.0f;
    for (int row = first; row <= last; ++row)
        sum = toSingle(double(sum) + double(record.slotValue(row, column)));
    return sum;
}

} // namespace

ControlLimits limitsFor(float x, float r, int n, const ControlFactors &factors)
{
    const int i = ControlFactors::indexFor(n);
    const double a2r = double(factors.A2[i]) * double(r);
    return {toSingle(a2r + double(x)), toSingle(double(x) - a2r),
            toSingle(double(factors.D4[i]) * double(r)), toSingle(double(factors.D3[i]) * double(r))};
}

LimitTexts limitTexts(float xBarBar, float rBar, const ControlLimits &limits, int n,
                      const DisplayFormats &formats, const QLocale &locale)
{
    const bool individuals = n == 1;
    LimitTexts texts;
    texts.x = item(individuals ? QStringLiteral("X-Bar = ") : QStringLiteral("Mean X-Bar = "),
                   xBarBar, formats.mean, locale)
              + fiveSpaces + item(QStringLiteral("UCLx = "), limits.uclX, formats.mean, locale)
              + fiveSpaces + item(QStringLiteral("LCLx = "), limits.lclX, formats.mean, locale);
    texts.r = item(individuals ? QStringLiteral("MR-Bar = ") : QStringLiteral("R-Bar = "), rBar,
                   formats.range, locale)
              + fiveSpaces
              + item(individuals ? QStringLiteral("UCLmr = ") : QStringLiteral("UCLr = "),
                     limits.uclR, formats.range, locale)
              + fiveSpaces
              + item(individuals ? QStringLiteral("LCLmr = ") : QStringLiteral("LCLr = "),
                     limits.lclR, formats.range, locale);
    return texts;
}

void takeInLimits(ChartBounds &bounds, const ControlLimits &limits, const Scale &scale)
{
    bounds.trackMaxX(limits.uclX, scale);
    bounds.trackMinX(limits.lclX, scale);
    bounds.trackMaxR(limits.uclR, scale);
}

LimitTexts fixControlLimits(RunState &run, const SharedState &shared, const SubgroupRecord &record, int n,
                            int k, const QLocale &locale)
{
    const float kSingle = float(k);
    const float slotMean = toSingle(double(columnSum(record, SubgroupRecord::averageColumn(n), 1, k)) / kSingle);
    run.xBarBar = shared.scale.valueOf(slotMean);

    const float slotRange = n == 1
        ? toSingle(double(columnSum(record, SubgroupRecord::rangeColumn(n), 2, k)) / double(kSingle - 1.0f))
        : toSingle(double(columnSum(record, SubgroupRecord::rangeColumn(n), 1, k)) / kSingle);
    run.rBar = toSingle((double(slotRange) + double(slotRange)) * double(shared.scale.halfWidth) / 30.0);

    const ControlLimits limits = limitsFor(run.xBarBar, run.rBar, n, shared.factors);
    return limitTexts(run.xBarBar, run.rBar, limits, n, shared.formats, locale);
}

} // namespace kelvara
