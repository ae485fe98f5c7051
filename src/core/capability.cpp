// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/capability.h"

#include "core/numberformat.h"
#include "core/numeric.h"

#include <cmath>

namespace kelvara {

namespace {

const QString notApplicable = QStringLiteral("NA");

struct IndexPair {
    QString spread; // Cp or Pp
    QString centred; // Cpk or Ppk
};

// The tolerance over six sigma, and the nearer limit's distance from the mean
// over three sigma; "NA" for a spread without a finite positive size.
IndexPair indices(double sigma, double mean, const CapabilityInput &input, const QLocale &locale)
{
    if (!(sigma > 0.0) || !std::isfinite(sigma))
        return {notApplicable, notApplicable};
    const float tolerance = toSingle(double(input.usl) - double(input.lsl));
    const double spread = double(tolerance) / (6.0 * sigma);
    const float lower = toSingle((mean - double(input.lsl)) / (3.0 * sigma));
    const float upper = toSingle((double(input.usl) - mean) / (3.0 * sigma));
    const float centred = upper < lower ? upper : lower;
    return {formatNumber(spread, capabilityFormat, locale), formatNumber(centred, capabilityFormat, locale)};
}

} // namespace

CapabilityView capabilityView(const CapabilityInput &input, const QLocale &locale)
{
    // Until the k-th subgroup of this run has fixed R-bar and X-bar, the values
    // would belong to an earlier run: keep the labels hidden.
    if (input.subgroupCount < input.k)
        return {};
    if (!input.showSpecLimits) {
        const QString noSpec = QStringLiteral("No Spec");
        return {true, noSpec, noSpec, noSpec, noSpec};
    }
    const IndexPair performance = indices(input.readings.deviation, input.readings.mean, input, locale);
    if (!input.processUnchanged)
        return {true, notApplicable, notApplicable, performance.spread, performance.centred};
    const float sigma = toSingle(double(input.rBar) / double(input.d2));
    const IndexPair capability = indices(double(sigma), double(input.xBarBar), input, locale);
    return {true, capability.spread, capability.centred, performance.spread, performance.centred};
}

} // namespace kelvara
