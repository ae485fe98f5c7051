// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The board's and the control charts' state told in words, for a screen
// reader: what a sighted student reads off them at a glance.

#include "core/numeric.h"
#include "core/runstate.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <array>

namespace kelvara {

class QuincunxRun;

struct BoardSummary {
    QString rows;           // the Offset Rows box
    QString subgroupSize;   // the Sub Group Size box
    int subgroups = 0;      // dropped since the last reset
    QString centre;         // where the process is centred, as its label shows it
    QList<std::pair<QString, int>> tallestPiles; // slot value and its ball count, tallest first
    QString xLimits;        // the control limits' texts, empty until they are fixed
    QString rLimits;
    QString cp;             // empty while Cp and Cpk are not shown
    QString cpk;
    QString pp;             // shown with Cp and Cpk
    QString ppk;
};

/// The slots with the most balls, tallest first and, among equals, from the
/// left; at most `howMany`, empty slots never.
QList<int> tallestSlots(const PerSlot<int16> &slotCount, int howMany);

/// What the run holds of the summary: its subgroups, tallest piles, limits
/// and capability. The settings' and the centre's texts are the view's.
BoardSummary summariseRun(const QuincunxRun &run);

/// "Quincunx board: 20 rows of pins, subgroup size 5. 12 subgroups dropped. ..."
QString describeBoard(const BoardSummary &summary);

/// A limits line as the charts show it, "Mean X-Bar = 16.00     UCLx = ...",
/// put as a list: "Mean X-Bar = 16.00, UCLx = ...".
QString spokenLimits(const QString &limitText);

struct ChartPageSummary {
    QString chart;          // "XBar Chart"
    int first = 0;          // the page's first and last plotted subgroups; 0 when empty
    int last = 0;
    int subgroups = 0;      // dropped in the run so far
    QString limits;         // the chart's limits line, empty until fixed
    QString latestValue;    // the value of the page's last point
    bool rulesShown = false;
    QStringList ruleBreaks; // the page's signals, as the signal list words them
};

/// "XBar Chart: subgroups 2 to 12 of 12. Mean X-Bar = ... Latest point:
/// subgroup 12, 16.20." and, while the rules are shown, " Signals: ..." or
/// " No signals on this page."
QString describeChartPage(const ChartPageSummary &page);

} // namespace kelvara
