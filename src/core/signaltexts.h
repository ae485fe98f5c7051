// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The words that show run-rule signals to the class: the list entries, the
// rule numbers beside a point, what each rule means, and how long the charts
// took to see a change of the process.

#include "core/runsignals.h"

#include <QString>

namespace kelvara {

/// "X-bar chart" and "R chart", or "X chart" and "MR chart" for single readings.
QString signalChartName(SignalChart chart, int subgroupSize);

/// The numbers of the rules, ascending, joined by `separator` ("2,4").
QString ruleNumbers(RuleSet rules, const QString &separator);

/// "Subgroup 31, X-bar chart: rules 2, 4".
QString signalText(const RunSignal &signal, int subgroupSize);

/// What each rule of the set means, one line per rule in the order of their
/// numbers ("Two of three points beyond 2 sigma on the same side").
QString ruleMeanings(RuleSet rules);

/// "Process changed after subgroup 24: no signal yet", or "...: first signal
/// at subgroup 27, 3 subgroups later"; empty when the process has not changed
/// (`changedAfter` 0). `firstSignal` is 0 while no later subgroup has signalled.
QString detectionText(int changedAfter, int firstSignal);

} // namespace kelvara
