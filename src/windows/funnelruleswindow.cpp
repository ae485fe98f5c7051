// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/funnelruleswindow.h"

#include "common/shared.h"
#include "common/windowplacement.h"
#include "common/zoom.h"
#include "core/histogramdata.h"
#include "reports/chartsaving.h"
#include "reports/funnelrunchart.h"
#include "reports/histogramchart.h"
#include "windows/shortcutkeys.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QShortcut>
#include <QSpinBox>
#include <QVBoxLayout>

namespace kelvara {
namespace {

constexpr int defaultBalls = 1000;
constexpr int fewestBalls = 10;
constexpr int mostBalls = 100000;
// Events run at least this often while the rules are compared.
constexpr qint64 sliceMilliseconds = 20;
constexpr double smallChartText = 0.8;

QLabel *plainLabel(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    return label;
}

} // namespace

FunnelRulesWindow::FunnelRulesWindow(QWidget *parent)
    : QWidget(parent, Qt::Window), m_balls(new QSpinBox(this)), m_again(new QPushButton(QStringLiteral("Again"), this)),
      m_runChart(new FunnelRunChart(this))
{
    setObjectName(QStringLiteral("frmFunnelRules"));
    setWindowTitle(QStringLiteral("Funnel Rules Compared"));
    m_balls->setObjectName(QStringLiteral("ballsBox"));
    m_balls->setRange(fewestBalls, mostBalls);
    m_balls->setGroupSeparatorShown(true);
    // A number typed digit by digit is compared once, when it is complete.
    m_balls->setKeyboardTracking(false);
    m_balls->setValue(defaultBalls);
    m_balls->setAccessibleName(QStringLiteral("Balls"));
    m_again->setObjectName(QStringLiteral("againButton"));

    auto *settings = new QHBoxLayout;
    auto *ballsCaption = plainLabel(QStringLiteral("&Balls:"), this);
    ballsCaption->setTextFormat(Qt::AutoText);
    ballsCaption->setBuddy(m_balls);
    settings->addWidget(ballsCaption);
    settings->addWidget(m_balls);
    settings->addWidget(m_again);
    settings->addStretch(1);

    auto *results = new QVBoxLayout;
    for (int rule = 1; rule <= funnelRuleCount; ++rule) {
        QLabel *result = plainLabel(QString(), this);
        result->setObjectName(QStringLiteral("ruleResult%1").arg(rule));
        result->setTextInteractionFlags(Qt::TextSelectableByMouse);
        results->addWidget(result);
        m_results[std::size_t(rule - 1)] = result;
    }

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(settings);
    layout->addWidget(buildCharts(), 1);
    layout->addLayout(results);

    connect(m_balls, &QSpinBox::valueChanged, this, &FunnelRulesWindow::compare);
    connect(m_again, &QPushButton::clicked, this, &FunnelRulesWindow::compare);
    connect(new QShortcut(keys::help, this), &QShortcut::activated, this,
            [this] { emit manualRequested(QStringLiteral("funnelrules.html#window")); });
    fitOnScreen(this, (QSizeF(900, 720) * zoom::factor()).toSize());
}

QWidget *FunnelRulesWindow::buildCharts()
{
    auto *charts = new QWidget(this);
    auto *grid = new QGridLayout(charts);
    grid->setContentsMargins(0, 0, 0, 0);
    for (int rule = 1; rule <= funnelRuleCount; ++rule) {
        const FunnelMoveRule each = funnelRuleNumbered(rule);
        const QString caption = funnelRuleTitle(each);
        // Four histograms share the height: smaller text keeps every count label whole.
        auto *chart = new HistogramChart(QStringLiteral("ruleHistogram%1").arg(rule), charts, smallChartText);
        chart->setAccessibleName(QStringLiteral("Histogram of %1").arg(caption));
        chart->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Expanding);
        offerChartMenu(chart, caption, m_results[std::size_t(rule - 1)]);
        const int row = (rule - 1) / 2 * 2, column = (rule - 1) % 2;
        grid->addWidget(plainLabel(caption, charts), row, column);
        grid->addWidget(chart, row + 1, column);
        grid->setRowStretch(row + 1, 4);
        m_histograms[std::size_t(rule - 1)] = chart;
    }
    const QString runCaption = QStringLiteral("The first %1 balls of each rule, in the order they fell").arg(runChartBalls);
    m_runChart->setAccessibleName(runCaption);
    m_runChart->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Expanding);
    offerChartMenu(m_runChart, runCaption, nullptr);
    grid->addWidget(plainLabel(runCaption, charts), 4, 0, 1, 2);
    grid->addWidget(m_runChart, 5, 0, 1, 2);
    grid->setRowStretch(5, 4);
    return charts;
}

template <class Chart>
void FunnelRulesWindow::offerChartMenu(Chart *chart, const QString &caption, const QLabel *footing)
{
    connect(chart, &MenuChartView::menuRequested, this, [this, chart, caption, footing](const QPoint &at) {
        openChartMenu(chart, caption, footing ? footing->text() : QString(), at,
                      [chart](QPainter &painter, const QSize &size, double textScale) {
                          chart->paintAt(painter, size, textScale);
                      });
    });
}

void FunnelRulesWindow::openChartMenu(QWidget *chart, const QString &caption, const QString &footing,
                                      const QPoint &globalPosition,
                                      const std::function<void(QPainter &, const QSize &, double)> &paint)
{
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("mnuFunnelChart"));
    QAction *copy = menu.addAction(QStringLiteral("Copy Chart"));
    copy->setObjectName(QStringLiteral("mnuCopyChart"));
    QAction *save = menu.addAction(QStringLiteral("Save Chart As..."));
    save->setObjectName(QStringLiteral("mnuSaveChart"));
    QPointer<QWidget> shown(chart);
    QAction *chosen = menu.exec(globalPosition);
    if (!shown)
        return;
    if (chosen == copy) {
        QGuiApplication::clipboard()->setImage(chart->grab().toImage());
    } else if (chosen == save) {
        ChartPicture picture;
        picture.title = caption;
        picture.footing = footing;
        picture.shownSize = chart->size();
        picture.paintChart = paint;
        saveChartAs(this, picture);
    }
}

void FunnelRulesWindow::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    // Larger text may widen the window: it stays on the screen.
    if (isVisible())
        keepOnScreen(this);
}

void FunnelRulesWindow::compareFor(int16 offsetRows, int16 target)
{
    m_offsetRows = offsetRows;
    m_target = target;
    show();
    raise();
    activateWindow();
    compare();
}

void FunnelRulesWindow::compare()
{
    // A change while the rules are compared starts the comparison again
    // once the slice under way returns.
    if (m_computing) {
        m_restart = true;
        return;
    }
    m_computing = true;
    QPointer<FunnelRulesWindow> self(this);
    do {
        m_restart = false;
        FunnelComparison comparison(m_offsetRows, m_target, m_balls->value(), randomSource());
        QElapsedTimer clock;
        clock.start();
        const bool complete = comparison.run([&] {
            if (clock.elapsed() >= sliceMilliseconds) {
                QCoreApplication::processEvents();
                clock.restart();
            }
            return self && isVisible() && !m_restart;
        });
        if (!self)
            return;
        if (complete)
            showComparison(comparison);
    } while (m_restart && isVisible());
    m_computing = false;
}

void FunnelRulesWindow::showComparison(const FunnelComparison &comparison)
{
    QStringList slotNumbers;
    for (int slot = 1; slot <= slotTotal; ++slot)
        slotNumbers << QString::number(slot);
    const RuleStatistics ruleOne = comparison.statistics(FunnelMoveRule::LeaveAlone);
    FunnelRunChart::Landings landings;
    for (int rule = 1; rule <= funnelRuleCount; ++rule) {
        const FunnelMoveRule each = funnelRuleNumbered(rule);
        const std::size_t index = std::size_t(rule - 1);
        m_histograms[index]->setBars(landingCounts(comparison.landings(each)), slotNumbers);
        m_results[index]->setText(ruleResultText(each, comparison.statistics(each), ruleOne));
        landings[index] = comparison.landings(each);
        landings[index].resize(std::min(landings[index].size(), std::size_t(runChartBalls)));
    }
    m_runChart->setLandings(landings, std::min(comparison.balls(), runChartBalls));
}

} // namespace kelvara
