// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/capability.h"

#include "core/numberformat.h"
#include "core/numeric.h"

#include <cmath>

namespace kelvara {

CapabilityView capabilityView(const CapabilityInput &input, const QLocale &locale)
{
    const QString notApplicable = QStringLiteral("NA");
    // Until the k-th subgroup of this run has fixed R-bar and X-bar, the values
    // would belong to an earlier run: keep the labels hidden.
    if (input.subgroupCount < input.k)
        return {};
    if (!input.showSpecLimits)
        return {true, QStringLiteral("No Spec"), QStringLiteral("No Spec")};
    if (!input.processUnchanged)
        return {true, notApplicable, notApplicable};

    const float sigma = toSingle(double(input.rBar) / double(input.d2));
    if (!(sigma > 0.0f) || !std::isfinite(sigma))
        return {true, notApplicable, notApplicable};

    const float tolerance = toSingle(double(input.usl) - double(input.lsl));
    const double cp = double(tolerance) / (6.0 * double(sigma));
    const float lower = toSingle((double(input.xBarBar) - double(input.lsl)) / (3.0 * double(sigma)));
    const float upper = toSingle((double(input.usl) - double(input.xBarBar)) / (3.0 * double(sigma)));
    const float cpk = upper < lower ? upper : lower;
    return {true, formatNumber(cp, capabilityFormat, locale), formatNumber(cpk, capabilityFormat, locale)};
}

} // namespace kelvara
