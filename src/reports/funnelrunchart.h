// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The landings of the four funnel rules in the order the balls fell, one
// line a rule on one time axis, so that rule 3's swing and rule 4's drift
// show against rule 1's steady scatter.

#include "core/funnelrule.h"

#include "reports/menuchartview.h"

#include <array>
#include <vector>

class QLineSeries;
class QValueAxis;

namespace kelvara {

class FunnelRunChart : public MenuChartView {
    Q_OBJECT
public:
    using Landings = std::array<std::vector<int16>, funnelRuleCount>;

    /// Text and lines are `textScale` times their size on screen.
    explicit FunnelRunChart(QWidget *parent = nullptr, double textScale = 1.0);

    /// Shows the first `balls` landings of each rule.
    void setLandings(const Landings &landings, int balls);

    /// Paints the chart laid out at `size`, its text `textScale` times as large.
    void paintAt(QPainter &painter, const QSize &size, double textScale) const;

private:
    void followZoom();

    double m_textScale;
    Landings m_landings;
    int m_balls = 0;
    std::array<QLineSeries *, funnelRuleCount> m_lines{};
    QValueAxis *m_ballAxis;
    QValueAxis *m_slotAxis;
};

} // namespace kelvara
