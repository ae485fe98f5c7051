// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/runlengthwindow.h"

#include "common/shared.h"
#include "common/sharedstore.h"
#include "common/windowplacement.h"
#include "common/zoom.h"
#include "core/exactarl.h"
#include "reports/chartsaving.h"
#include "reports/runlengthcharts.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace kelvara {
namespace {

// Events run at least this often while the lab works.
constexpr std::chrono::milliseconds sliceLength{40};
// The shift can come this many subgroups after the limits are fixed at most.
constexpr int latestShift = 100;
constexpr int histogramBars = 40;
constexpr int chartMinimumWidth = 300;
constexpr int chartMinimumHeight = 220;

QLabel *resultLine(const QString &name, QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    return label;
}

} // namespace

RunLengthWindow::RunLengthWindow(const RunLengthSettings &initial, QWidget *parent)
    : QWidget(parent, Qt::Window),
      m_rows(spinBox(QStringLiteral("rowsBox"), 1, 20, initial.rows, QStringLiteral("Offset rows"))),
      m_size(spinBox(QStringLiteral("sizeBox"), 1, 15, initial.subgroupSize, QStringLiteral("Subgroup size n"))),
      m_limitCount(spinBox(QStringLiteral("limitCountBox"), 5, 30, initial.limitCount,
                           QStringLiteral("Subgroups before control limits k"))),
      m_shift(spinBox(QStringLiteral("shiftBox"), -10, 10, initial.shift, QStringLiteral("Funnel shift in slots"))),
      m_shiftAfter(spinBox(QStringLiteral("shiftAfterBox"), 1, 30 + latestShift, initial.shiftAfter,
                           QStringLiteral("Shift after subgroup S"))),
      m_runs(spinBox(QStringLiteral("runsBox"), 10, 100000, initial.runs, QStringLiteral("Number of runs N"))),
      m_rules(new QComboBox(this)), m_limits(new QComboBox(this)),
      m_start(new QPushButton(QStringLiteral("Start"), this)), m_cancel(new QPushButton(QStringLiteral("Cancel"), this)),
      m_close(new QPushButton(QStringLiteral("Close"), this)), m_progress(new QProgressBar(this)),
      m_result(resultLine(QStringLiteral("resultLabel"), this)), m_exact(resultLine(QStringLiteral("exactLabel"), this)),
      m_note(resultLine(QStringLiteral("noteLabel"), this)), m_delayChart(new DelayHistogram(this)),
      m_arlChart(new ArlCurve(this))
{
    setObjectName(QStringLiteral("frmRunLength"));
    setWindowTitle(QStringLiteral("Run Length Lab"));
    m_rules->setObjectName(QStringLiteral("rulesChoice"));
    m_rules->addItems({QStringLiteral("Rule 1 only"), QStringLiteral("Rules 1 to 4")});
    m_rules->setCurrentIndex(initial.allRules ? 1 : 0);
    m_rules->setAccessibleName(QStringLiteral("Rules"));
    m_limits->setObjectName(QStringLiteral("limitsChoice"));
    m_limits->addItems({QStringLiteral("From the first k subgroups"), QStringLiteral("From theory")});
    m_limits->setCurrentIndex(initial.theoryLimits ? 1 : 0);
    m_limits->setAccessibleName(QStringLiteral("Control limits"));
    m_runs->setGroupSeparatorShown(true);
    m_start->setObjectName(QStringLiteral("startButton"));
    m_cancel->setObjectName(QStringLiteral("cancelButton"));
    m_close->setObjectName(QStringLiteral("closeButton"));
    m_progress->setObjectName(QStringLiteral("progressBar"));
    m_progress->setAccessibleName(QStringLiteral("Runs done"));
    m_progress->setFormat(QStringLiteral("%v of %m runs"));
    m_progress->setValue(0);
    buildLayout();
    buildMenu();
    fitShiftAfterRange();
    m_shiftAfter->setValue(initial.shiftAfter);
    setRunning(false);

    connect(m_start, &QPushButton::clicked, this, &RunLengthWindow::startButton_Click);
    connect(m_cancel, &QPushButton::clicked, this, &RunLengthWindow::cancelButton_Click);
    connect(m_close, &QPushButton::clicked, this, &QWidget::close);
    connect(m_limitCount, &QSpinBox::valueChanged, this, &RunLengthWindow::fitShiftAfterRange);
    connect(m_limits, &QComboBox::currentIndexChanged, this, &RunLengthWindow::fitShiftAfterRange);
    for (QSpinBox *box : {m_rows, m_size, m_shift})
        connect(box, &QSpinBox::valueChanged, this, [this] { showExact(settings()); });
    for (QComboBox *choice : {m_rules, m_limits})
        connect(choice, &QComboBox::currentIndexChanged, this, [this] { showExact(settings()); });
    showExact(settings());
    fitOnScreen(this, (QSizeF(980, 640) * zoom::factor()).toSize());
}

QSpinBox *RunLengthWindow::spinBox(const QString &name, int low, int high, int value, const QString &label)
{
    auto *box = new QSpinBox(this);
    box->setObjectName(name);
    box->setRange(low, high);
    box->setValue(value);
    box->setAccessibleName(label);
    return box;
}

void RunLengthWindow::buildLayout()
{
    auto *settingsBox = new QGroupBox(QStringLiteral("Settings"), this);
    auto *form = new QFormLayout(settingsBox);
    // The charts take the width the settings leave.
    form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    form->addRow(m_rows->accessibleName(), m_rows);
    form->addRow(m_size->accessibleName(), m_size);
    form->addRow(m_limitCount->accessibleName(), m_limitCount);
    form->addRow(m_shift->accessibleName(), m_shift);
    form->addRow(m_shiftAfter->accessibleName(), m_shiftAfter);
    form->addRow(QStringLiteral("Rules"), m_rules);
    form->addRow(QStringLiteral("Control limits"), m_limits);
    form->addRow(m_runs->accessibleName(), m_runs);
    auto *judged = resultLine(QStringLiteral("judgedLabel"), this);
    judged->setText(QStringLiteral("Only the X-bar chart (the X chart for single readings) is judged here: signals "
                                   "of the R or MR chart do not count."));

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_start);
    buttons->addWidget(m_cancel);
    buttons->addWidget(m_progress, 1);

    auto *left = new QVBoxLayout;
    left->addWidget(settingsBox);
    left->addWidget(judged);
    left->addLayout(buttons);
    left->addWidget(m_result);
    left->addWidget(m_exact);
    left->addWidget(m_note);
    left->addStretch(1);
    auto *closeRow = new QHBoxLayout;
    closeRow->addStretch(1);
    closeRow->addWidget(m_close);
    left->addLayout(closeRow);

    auto *charts = new QVBoxLayout;
    charts->addWidget(m_delayChart, 1);
    charts->addWidget(m_arlChart, 1);
    for (QWidget *chart : std::initializer_list<QWidget *>{m_delayChart, m_arlChart})
        chart->setMinimumSize(chartMinimumWidth, chartMinimumHeight);
    auto *layout = new QHBoxLayout(this);
    layout->addLayout(left, 0);
    layout->addLayout(charts, 1);
}

void RunLengthWindow::buildMenu()
{
    m_chartMenu = new QMenu(this);
    m_chartMenu->setObjectName(QStringLiteral("mnuLabChart"));
    QAction *copy = m_chartMenu->addAction(QStringLiteral("Copy Chart"));
    copy->setObjectName(QStringLiteral("mnuCopyChart"));
    QAction *save = m_chartMenu->addAction(QStringLiteral("Save Chart As..."));
    save->setObjectName(QStringLiteral("mnuSaveChart"));
    connect(copy, &QAction::triggered, this, [this] {
        if (m_chartForMenu)
            m_chartForMenu->copyToClipboard();
    });
    connect(save, &QAction::triggered, this, [this] {
        if (m_chartForMenu)
            saveChart(m_chartForMenu);
    });
    for (LabChart *chart : std::initializer_list<LabChart *>{m_delayChart, m_arlChart})
        connect(chart, &LabChart::menuRequested, this,
                [this, chart](const QPoint &at) { openMenu(chart, at); });
}

void RunLengthWindow::openMenu(LabChart *chart, const QPoint &globalPosition)
{
    m_chartForMenu = chart;
    m_chartMenu->exec(globalPosition);
    m_chartForMenu = nullptr;
}

void RunLengthWindow::saveChart(LabChart *chart)
{
    ChartPicture picture;
    picture.title = chart->title();
    picture.footing = chart == m_arlChart ? m_exact->text() : m_result->text();
    picture.shownSize = chart->size();
    picture.paintChart = [chart](QPainter &painter, const QSize &size, double textScale) {
        chart->paintAt(painter, size, textScale);
    };
    saveChartAs(this, picture);
}

RunLengthSettings RunLengthWindow::settings() const
{
    RunLengthSettings settings;
    settings.rows = m_rows->value();
    settings.subgroupSize = m_size->value();
    settings.limitCount = m_limitCount->value();
    settings.shift = m_shift->value();
    settings.shiftAfter = m_shiftAfter->value();
    settings.allRules = m_rules->currentIndex() == 1;
    settings.theoryLimits = m_limits->currentIndex() == 1;
    settings.runs = m_runs->value();
    return settings;
}

// With limits from the first k subgroups the shift comes after them, so it
// never enters the limits; theory's limits need no subgroups.
void RunLengthWindow::fitShiftAfterRange()
{
    const int k = m_limitCount->value();
    if (m_limits->currentIndex() == 1)
        m_shiftAfter->setRange(1, latestShift);
    else
        m_shiftAfter->setRange(k, k + latestShift);
}

void RunLengthWindow::setRunning(bool running)
{
    m_running = running;
    for (QWidget *control : std::initializer_list<QWidget *>{m_rows, m_size, m_limitCount, m_shift, m_shiftAfter,
                                                             m_runs, m_rules, m_limits, m_start})
        control->setEnabled(!running);
    m_cancel->setEnabled(running);
}

// Theory's exact ARL applies to its own limits judged by rule 1 alone.
void RunLengthWindow::showExact(const RunLengthSettings &settings)
{
    m_curve.clear();
    const bool applies = settings.theoryLimits && !settings.allRules;
    m_arlChart->setVisible(applies);
    if (!applies) {
        m_exact->clear();
        return;
    }
    const SharedState &state = sharedStore().state();
    const ExactArl exact(settings.rows, settings.subgroupSize, state.scale, state.formats);
    for (int shift = -ArlCurve::widestShift; shift <= ArlCurve::widestShift; ++shift)
        if (const std::optional<double> arl = exact.averageRunLength(shift))
            m_curve << QPointF(shift, *arl);
    m_exact->setText(exactArlText(exact.averageRunLength(clampedShift(settings.rows, settings.shift))));
    m_arlChart->setCurve(m_curve, std::nullopt);
}

void RunLengthWindow::showResults(const RunLengthLab &lab, const RunLengthSettings &settings)
{
    const RunLengthResults &results = lab.results();
    m_progress->setValue(results.runs());
    m_result->setText(resultText(results));
    m_delayChart->setBars(results.bars(histogramBars));
    if (m_arlChart->isVisible() && !results.delays().isEmpty())
        m_arlChart->setCurve(m_curve, QPointF(lab.shiftMade(), results.meanDelay()));

    QStringList notes;
    if (lab.shiftMade() != settings.shift)
        notes << QStringLiteral("The funnel can move only %1 slots this way with %2 rows, so the runs shift it %1.")
                     .arg(std::abs(lab.shiftMade()))
                     .arg(settings.rows);
    if (const int silent = results.runsWithoutSignal())
        notes << QStringLiteral("%1 of the runs brought no signal within %2 subgroups after the shift; the mean "
                                "and the median leave them out.")
                     .arg(locale().toString(silent), locale().toString(longestWait));
    m_note->setText(notes.join(u' '));
}

void RunLengthWindow::startButton_Click()
{
    if (m_running)
        return;
    const RunLengthSettings settings = this->settings();
    RunLengthLab lab(settings, sharedStore().state(), randomSource());
    m_abort = false;
    setRunning(true);
    showExact(settings);
    m_progress->setRange(0, settings.runs);
    showResults(lab, settings);
    const QPointer<RunLengthWindow> self(this);
    while (!lab.finished() && !m_abort) {
        lab.advance(sliceLength);
        showResults(lab, settings);
        QCoreApplication::processEvents();
        if (!self)
            return;
    }
    setRunning(false);
    if (m_closed)
        deleteLater();
}

void RunLengthWindow::cancelButton_Click()
{
    m_abort = true;
}

void RunLengthWindow::keyPressEvent(QKeyEvent *event)
{
    if (event->key() != Qt::Key_Escape) {
        QWidget::keyPressEvent(event);
        return;
    }
    if (m_running)
        cancelButton_Click();
    else
        close();
}

// Closing ends the runs after the slice in progress; the window goes once
// they have ended, so the loop in Start never outlives it.
void RunLengthWindow::closeEvent(QCloseEvent *event)
{
    m_abort = true;
    m_closed = true;
    if (!m_running)
        deleteLater();
    event->accept();
}

} // namespace kelvara
