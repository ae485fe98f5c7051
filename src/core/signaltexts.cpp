// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/signaltexts.h"

#include <QStringList>

namespace kelvara {
namespace {

// Subgroup numbers are printed as the charts print them under their points.
QString number(int value)
{
    return QString::number(value);
}

} // namespace

QString signalChartName(SignalChart chart, int subgroupSize)
{
    const bool individuals = subgroupSize == 1;
    if (chart == SignalChart::Mean)
        return individuals ? QStringLiteral("X chart") : QStringLiteral("X-bar chart");
    return individuals ? QStringLiteral("MR chart") : QStringLiteral("R chart");
}

QString ruleNumbers(RuleSet rules, const QString &separator)
{
    QStringList numbers;
    for (int rule = 1; rule <= ruleCount; ++rule)
        if (rules & ruleBit(rule))
            numbers.append(number(rule));
    return numbers.join(separator);
}

QString signalText(const RunSignal &signal, int subgroupSize)
{
    const bool several = (signal.rules & (signal.rules - 1)) != 0;
    return QStringLiteral("Subgroup %1, %2: %3 %4")
        .arg(number(signal.subgroup), signalChartName(signal.chart, subgroupSize),
             several ? QStringLiteral("rules") : QStringLiteral("rule"), ruleNumbers(signal.rules, QStringLiteral(", ")));
}

QString ruleMeanings(RuleSet rules)
{
    static const QString meanings[ruleCount] = {
        QStringLiteral("One point beyond a control limit (3 sigma)"),
        QStringLiteral("Two of three points beyond 2 sigma on the same side"),
        QStringLiteral("Four of five points beyond 1 sigma on the same side"),
        QStringLiteral("Eight points in a row on the same side of the centre line"),
    };
    QStringList lines;
    for (int rule = 1; rule <= ruleCount; ++rule)
        if (rules & ruleBit(rule))
            lines.append(meanings[rule - 1]);
    return lines.join(u'\n');
}

QString detectionText(int changedAfter, int firstSignal)
{
    if (changedAfter < 1)
        return {};
    const QString change = QStringLiteral("Process changed after subgroup %1: ").arg(number(changedAfter));
    if (firstSignal <= changedAfter)
        return change + QStringLiteral("no signal yet");
    const int gap = firstSignal - changedAfter;
    return change
           + QStringLiteral("first signal at subgroup %1, %2 %3 later")
                 .arg(number(firstSignal), number(gap),
                      gap == 1 ? QStringLiteral("subgroup") : QStringLiteral("subgroups"));
}

} // namespace kelvara
