// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "Funnel Rules Compared" (`frmFunnelRules`): the same balls dropped out of
// sight under each of the four funnel rules, shown as four histograms over
// the slots, a run chart of the first landings and a result line per rule.

#include "core/funnelcomparison.h"

#include <QWidget>

#include <array>
#include <functional>

class QLabel;
class QPainter;
class QPushButton;
class QSpinBox;

namespace kelvara {

class FunnelRunChart;
class HistogramChart;

class FunnelRulesWindow : public QWidget {
    Q_OBJECT
public:
    explicit FunnelRulesWindow(QWidget *parent = nullptr);

    /// Shows the window for a board with `offsetRows` (an even number) and
    /// the target `target`, and compares the rules on new balls.
    void compareFor(int16 offsetRows, int16 target);

    /// The landings of the run chart: the first this many of each rule.
    static constexpr int runChartBalls = 500;

protected:
    void resizeEvent(QResizeEvent *event) override;

signals:
    /// F1 was pressed: the manual should open at `page`.
    void manualRequested(const QString &page);

private:
    QWidget *buildCharts();
    /// The chart's menu ("Copy Chart", "Save Chart As...") on a right click
    /// or the keyboard's context-menu key.
    /// `footing`, when given, is saved below the chart.
    template <class Chart>
    void offerChartMenu(Chart *chart, const QString &caption, const QLabel *footing);
    void openChartMenu(QWidget *chart, const QString &caption, const QString &footing, const QPoint &globalPosition,
                       const std::function<void(QPainter &, const QSize &, double)> &paint);
    /// Compares the rules on new random decisions, letting events run between
    /// slices; a change meanwhile starts it again.
    void compare();
    void showComparison(const FunnelComparison &comparison);

    QSpinBox *m_balls;
    QPushButton *m_again;
    std::array<HistogramChart *, funnelRuleCount> m_histograms{};
    std::array<QLabel *, funnelRuleCount> m_results{};
    FunnelRunChart *m_runChart;
    int16 m_offsetRows = 4;
    int16 m_target = 16;
    bool m_computing = false;
    bool m_restart = false;
};

} // namespace kelvara
