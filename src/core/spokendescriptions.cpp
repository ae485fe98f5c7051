// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/spokendescriptions.h"

#include "core/numberformat.h"
#include "core/quincunxrun.h"

#include <QStringList>

#include <algorithm>

namespace kelvara {
namespace {

QString counted(int count, const QString &one, const QString &many)
{
    return QStringLiteral("%1 %2").arg(count).arg(count == 1 ? one : many);
}

} // namespace

QList<int> tallestSlots(const PerSlot<int16> &slotCount, int howMany)
{
    QList<int> filled;
    for (int slot = 1; slot <= slotTotal; ++slot)
        if (slotCount[slot] > 0)
            filled.append(slot);
    std::stable_sort(filled.begin(), filled.end(), [&slotCount](int a, int b) {
        return slotCount[a] > slotCount[b];
    });
    return filled.mid(0, howMany);
}

BoardSummary summariseRun(const QuincunxRun &run)
{
    const RunState &state = run.state();
    const SharedState &shared = run.shared();
    BoardSummary summary;
    summary.subgroups = state.subgroupCount;
    for (int slot : tallestSlots(state.slotCount, 3))
        summary.tallestPiles.append({formatNumber(shared.scale.scaleValue(float(slot)), shared.formats.reading),
                                     state.slotCount[slot]});
    summary.xLimits = run.limitTexts().x;
    summary.rLimits = run.limitTexts().r;
    if (const CapabilityView &capability = run.capability(); capability.visible) {
        summary.cp = capability.cp;
        summary.cpk = capability.cpk;
        summary.pp = capability.pp;
        summary.ppk = capability.ppk;
    }
    return summary;
}

QString describeBoard(const BoardSummary &summary)
{
    QStringList sentences;
    sentences << QStringLiteral("Quincunx board: %1 rows of pins, subgroup size %2")
                     .arg(summary.rows, summary.subgroupSize);
    sentences << counted(summary.subgroups, QStringLiteral("subgroup dropped"), QStringLiteral("subgroups dropped"));
    sentences << QStringLiteral("Process centred at %1").arg(summary.centre);
    if (!summary.tallestPiles.isEmpty()) {
        QStringList piles;
        for (const auto &[value, balls] : summary.tallestPiles)
            piles << QStringLiteral("%1 (%2)").arg(value, counted(balls, QStringLiteral("ball"), QStringLiteral("balls")));
        sentences << QStringLiteral("Tallest piles at ") + piles.join(QStringLiteral(", "));
    }
    if (summary.xLimits.isEmpty())
        sentences << QStringLiteral("Control limits not fixed yet");
    else
        sentences << QStringLiteral("Control limits: %1; %2").arg(spokenLimits(summary.xLimits), spokenLimits(summary.rLimits));
    if (!summary.cp.isEmpty())
        sentences << QStringLiteral("Cp %1, Cpk %2, Pp %3, Ppk %4").arg(summary.cp, summary.cpk, summary.pp, summary.ppk);
    return sentences.join(QStringLiteral(". ")) + u'.';
}

QString spokenLimits(const QString &limitText)
{
    return limitText.simplified()
        .replace(QStringLiteral(" UCL"), QStringLiteral(", UCL"))
        .replace(QStringLiteral(" LCL"), QStringLiteral(", LCL"));
}

QString describeChartPage(const ChartPageSummary &page)
{
    QStringList sentences;
    if (page.first < 1 || page.last < page.first)
        sentences << QStringLiteral("%1: no subgroups yet").arg(page.chart);
    else
        sentences << QStringLiteral("%1: subgroups %2 to %3 of %4").arg(page.chart).arg(page.first).arg(page.last).arg(page.subgroups);
    sentences << (page.limits.isEmpty() ? QStringLiteral("Control limits not fixed yet") : spokenLimits(page.limits));
    if (!page.latestValue.isEmpty())
        sentences << QStringLiteral("Latest point: subgroup %1, %2").arg(page.last).arg(page.latestValue);
    if (page.rulesShown)
        sentences << (page.ruleBreaks.isEmpty() ? QStringLiteral("No signals on this page")
                                                : QStringLiteral("Signals: ") + page.ruleBreaks.join(QStringLiteral("; ")));
    return sentences.join(QStringLiteral(". ")) + u'.';
}

} // namespace kelvara
