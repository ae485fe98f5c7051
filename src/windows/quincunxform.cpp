// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/quincunxform.h"

#include "common/messages.h"
#include "common/shared.h"
#include "common/sharedstore.h"
#include "common/windowplacement.h"
#include "common/zoom.h"
#include "core/spokendescriptions.h"
#include "core/capability.h"
#include "reports/controlchartswindow.h"
#include "reports/dataexport.h"
#include "reports/histogramsview.h"
#include "surface/drawingsurface.h"
#include "surface/fittinglabel.h"
#include "surface/overlay.h"
#include "surface/palette.h"
#include "surface/squarecontainer.h"
#include "windows/aboutwindow.h"
#include "windows/buttonicons.h"
#include "windows/controlpanel.h"
#include "windows/demonstration.h"
#include "windows/funnelrulemenu.h"
#include "windows/funnelruleswindow.h"
#include "windows/helpwindow.h"
#include "windows/runlengthwindow.h"
#include "windows/scaledialog.h"
#include "windows/shortcutkeys.h"

#include <algorithm>

#include <QAccessible>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QShortcut>
#include <QStackedLayout>
#include <QTableWidget>
#include <QToolButton>

namespace kelvara {
namespace {

constexpr int defaultSpeed = 3;
constexpr double defaultStepDelay = 0.04;

} // namespace

QuincunxForm::QuincunxForm(QWidget *parent)
    : QWidget(parent), m_quincunx(sharedStore().state(), randomSource()), m_run(m_quincunx.state()),
      m_panel(new ControlPanel(this)), m_picture(new DrawingSurface),
      m_histograms(new HistogramsView), m_stack(new QStackedLayout),
      m_grdScaled(m_histograms->measurementTable())
{
    setObjectName(QStringLiteral("quincunxform"));
    setWindowTitle(productName);
    setWindowIcon(applicationIcon());
    m_picture->setObjectName(QStringLiteral("qpicture"));
    m_picture->setReferenceHeight(640);
    m_quincunx.setListener(this);
    m_board = std::make_unique<QuincunxBoard>(m_picture, m_quincunx);
    m_board->setNewRunHandler([this] { resetRun(); });
    m_quincunx.setFunnelRule(&m_board->funnelRules());
    // Before the charts window listens too: a new scale redraws the board first.
    connect(&sharedStore(), &SharedStore::scaleChanged, this, &QuincunxForm::followScale);
    buildLayout();
    setTabOrder();
    m_grdScaled.enlargeHeader();
    m_charts = new ControlChartsWindow(m_quincunx, m_grdScaled, this);
    m_charts->hide();
    setupGrids();
    m_demo = std::make_unique<Demonstration>(*this);
    connectControls();
    addHelpKeys();
    connect(m_charts, &ControlChartsWindow::runLengthLabRequested, this, &QuincunxForm::openRunLengthLab);
    connect(&zoom::notifier(), &zoom::Notifier::changed, this, &QuincunxForm::applyZoom);
    if (zoom::factor() != 1.0)
        applyZoom();
    // Larger text opens a larger window, as far as the screen allows.
    fitOnScreen(this, (QSizeF(1000, 700) * zoom::factor()).toSize());
}

// The charts window reads the run and the measurement table, which go
// before the children do: it goes first.
QuincunxForm::~QuincunxForm()
{
    delete m_charts;
}

void QuincunxForm::buildLayout()
{
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    m_stack->addWidget(new SquareContainer(m_picture));
    m_stack->addWidget(m_histograms);
    layout->addLayout(m_stack, 1);
    layout->addWidget(m_panel);

    // Cp and Cpk in the left margin above the count scale; Pp and Ppk in the
    // right margin, between the process centre and the baffle's handle.
    constexpr double cpLeft = 1.3, ppLeft = 90.63, ppBelowCp = 12.5;
    m_cpTitle = capabilityTitle(QStringLiteral("cptitlelabel"), QStringLiteral("Cp"), cpLeft, 93.5);
    m_cpValue = capabilityValue(QStringLiteral("cplabel"), cpLeft, 90.0);
    m_cpkTitle = capabilityTitle(QStringLiteral("cpktitlelabel"), QStringLiteral("Cpk"), cpLeft, 85.5);
    m_cpkValue = capabilityValue(QStringLiteral("cpklabel"), cpLeft, 82.0);
    m_ppTitle = capabilityTitle(QStringLiteral("pptitlelabel"), QStringLiteral("Pp"), ppLeft, 93.5 - ppBelowCp);
    m_ppValue = capabilityValue(QStringLiteral("pplabel"), ppLeft, 90.0 - ppBelowCp);
    m_ppkTitle = capabilityTitle(QStringLiteral("ppktitlelabel"), QStringLiteral("Ppk"), ppLeft, 85.5 - ppBelowCp);
    m_ppkValue = capabilityValue(QStringLiteral("ppklabel"), ppLeft, 82.0 - ppBelowCp);
}

namespace {

constexpr double capabilityWidth = 8.2;
constexpr double capabilityHeight = 3.2;

void styleCapabilityLabel(QLabel *label, const QString &name, const QString &styleSheet)
{
    label->setObjectName(name);
    label->setAlignment(Qt::AlignCenter);
    label->setStyleSheet(styleSheet);
    QFont font = label->font();
    font.setPointSizeF(font.pointSizeF() * 0.9);
    label->setFont(font);
    label->hide();
}

} // namespace

QLabel *QuincunxForm::capabilityTitle(const QString &name, const QString &text, double left, double top)
{
    auto *label = new QLabel(text, m_picture);
    styleCapabilityLabel(label, name, QStringLiteral("QLabel { color: rgb(0,0,128); font-weight: bold; }"));
    m_picture->placeWidget(label, left, top, capabilityWidth, capabilityHeight);
    return label;
}

FittingLabel *QuincunxForm::capabilityValue(const QString &name, double left, double top)
{
    auto *label = new FittingLabel(QStringLiteral("No Spec"), m_picture);
    styleCapabilityLabel(label, name,
                         QStringLiteral("QLabel { background: white; color: black; border: 1px solid rgb(0,0,128); }"));
    // In a margin beside the pins a long value does not widen: its font shrinks.
    m_picture->placeFittingLabel(label, left, top, capabilityWidth, capabilityHeight, left);
    return label;
}

void QuincunxForm::connectControls()
{
    ControlPanel *p = m_panel;
    connect(p, &ControlPanel::rowsChanged, this, &QuincunxForm::rowstext_Change);
    connect(p, &ControlPanel::subgroupSizeChanged, this, &QuincunxForm::subgrouptext_Change);
    connect(p, &ControlPanel::runPressed, this, &QuincunxForm::dropbutton_Click);
    connect(p, &ControlPanel::resetPressed, this, &QuincunxForm::resetbutton_Click);
    connect(p, &ControlPanel::pausePressed, this, [this] { m_quincunx.pause(); });
    connect(p, &ControlPanel::speedChanged, this, &QuincunxForm::HScroll1_Change);
    connect(p, &ControlPanel::traceChanged, this, &QuincunxForm::chkTrace_Click);
    connect(p, &ControlPanel::baffleChanged, this, &QuincunxForm::bafflepresentcheck_Click);
    connect(p, &ControlPanel::histogramsPressed, this, &QuincunxForm::histbutton_Click);
    connect(m_histograms->backButton(), &QPushButton::clicked, this, &QuincunxForm::histbackbutton_Click);
    connect(p, &ControlPanel::chartsPressed, this, &QuincunxForm::contchrbutton_Click);
    connect(p, &ControlPanel::helpPressed, this, &QuincunxForm::cmdHelp_Click);
    connect(p, &ControlPanel::exitPressed, this, &QWidget::close);
    connect(p, &ControlPanel::scalePressed, this, &QuincunxForm::scalequincunxbutton_Click);
    connect(p, &ControlPanel::aboutPressed, this, &QuincunxForm::aboutbutton_Click);
    connect(p, &ControlPanel::demonstrationPressed, this, &QuincunxForm::selfscriptbutton_Click);
    connect(p, &ControlPanel::exportPressed, this, &QuincunxForm::exportData);
    connect(m_histograms->outputButton(), &QPushButton::clicked, this, &QuincunxForm::exportData);
    keys::giveKey(m_histograms->outputButton(), keys::exportData, QStringLiteral("Output Data"));

    Funnel &funnel = m_board->funnel();
    connect(funnel.leftButton(), &QToolButton::clicked, this, [this] { moveFunnel(-1); });
    connect(funnel.rightButton(), &QToolButton::clicked, this, [this] { moveFunnel(+1); });
    m_picture->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_picture, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &at) { openBoardMenu(m_picture->mapToGlobal(at)); });
    connect(m_board->baffle().handle(), &QToolButton::clicked, this, &QuincunxForm::emptyBaffle);
}

// F1 opens the manual's page of the window it is pressed in: the histograms'
// page while they stand in the board's place.
void QuincunxForm::addHelpKeys()
{
    connect(new QShortcut(keys::help, this), &QShortcut::activated, this, &QuincunxForm::cmdHelp_Click);
    connect(new QShortcut(keys::help, m_charts), &QShortcut::activated, this,
            [this] { showManual(QStringLiteral("controlcharts.html"), m_charts); });
}

void QuincunxForm::applyZoom()
{
    // The board is drawn once per run: its scales keep the places they were
    // measured for, whatever the zoom.
    m_picture->setMinimumTextPixels(zoom::minimumTextPixels(), false);
    if (isVisible() && !(windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen | Qt::WindowMinimized)))
        resize(sizeForZoom());
    fitPanel();
}

// The window grows, as far as the screen allows, to hold the panel at the
// zoom's size beside a board as high as the window, which the panel may
// make higher. A window never shrinks here, and the board's side grows with
// the window's, so the board never shrinks either.
QSize QuincunxForm::sizeForZoom()
{
    const QMargins margins = layout()->contentsMargins();
    const QSize frame(margins.left() + margins.right(), margins.top() + margins.bottom());
    const QSize inner = size() - frame;
    // The room's width holds the window's borders too.
    const QSize borders(frameGeometry().width() - width(), 0);
    const QSize room = (roomOnScreen(this) - borders).expandedTo(size()) - frame;
    const QSize panel = m_panel->sizeAtZoom();
    const int height = std::min(std::max(inner.height(), panel.height()), room.height());
    const int width = std::min(std::max(inner.width(), height + layout()->spacing() + panel.width()), room.width());
    return QSize(width, height) + frame;
}

void QuincunxForm::openBoardMenu(const QPoint &globalPosition)
{
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("mnuBoard"));
    addFunnelRuleItems(
        &menu, m_board->funnelRules(), [this] { describeBoard(); }, [this] { compareFunnelRules(); });
    menu.addSeparator();
    zoom::addMenuItems(&menu);
    menu.exec(globalPosition);
}

void QuincunxForm::compareFunnelRules()
{
    if (!m_funnelRulesWindow) {
        m_funnelRulesWindow = new FunnelRulesWindow(this);
        connect(m_funnelRulesWindow, &FunnelRulesWindow::manualRequested, this,
                [this](const QString &page) { showManual(page, m_funnelRulesWindow); });
    }
    m_funnelRulesWindow->compareFor(toInt16(m_run.pinLevels - 1.0), m_board->funnelRules().target());
}

void QuincunxForm::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    fitPanel();
}

// The board's side in a window of that inner size: as high as the window,
// as wide as the panel leaves at its normal size. It depends on the window's
// size alone, so a larger zoom never makes it smaller in the same window.
int QuincunxForm::boardSide(QSize inner) const
{
    return std::max(0, std::min(inner.height(), inner.width() - layout()->spacing() - m_panel->normalSize().width()));
}

// The board's place is never narrower than the histograms need when they
// stand in it; the panel takes the width left, and the histograms all the
// width the panel leaves. The panel's size depends on the window's size
// only, and the window's smallest size on the panel's normal size only, so
// neither makes the other grow.
void QuincunxForm::fitPanel()
{
    const QMargins margins = layout()->contentsMargins();
    const QSize frame(margins.left() + margins.right(), margins.top() + margins.bottom());
    const QSize inner = size() - frame;
    const bool histograms = m_stack->currentWidget() == m_histograms;
    const QSize stack = m_stack->minimumSize();
    const int beside = histograms ? stack.width() : std::max(boardSide(inner), stack.width());
    m_panel->fitInto(QSize(inner.width() - layout()->spacing() - beside, inner.height()), histograms);
    const QSize panel = m_panel->normalSize();
    setMinimumSize(QSize(stack.width() + layout()->spacing() + panel.width(), std::max(stack.height(), panel.height())) + frame);
}

void QuincunxForm::setTabOrder()
{
    const QList<QWidget *> order = QList<QWidget *>{
        m_board->funnel().leftButton(), m_board->funnel().rightButton(), m_board->baffle().handle(),
    } + m_panel->tabOrder();
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

bool QuincunxForm::event(QEvent *event)
{
    if (event->type() == QEvent::WindowActivate)
        firstActivation();
    return QWidget::event(event);
}

void QuincunxForm::firstActivation()
{
    if (!m_firstActivation)
        return;
    m_firstActivation = false;
    m_board->setUp();
    m_board->drawQuincunx(21);
    OverlayShape *ball = m_board->shapes().balls.templateElement();
    ball->setSize(ball->height(), ball->height());
    m_quincunx.setBallSize(float(ball->height()));
    setSpeed(defaultSpeed);
    m_panel->focusRun();
    describeBoard();
}

void QuincunxForm::setSpeed(int position)
{
    m_quincunx.setStepDelay(defaultStepDelay);
    m_panel->setSpeedPosition(position);
}

void QuincunxForm::followScale(const ScaleChange &change)
{
    if (change.scale)
        scaleQuincunx(change.newRun);
    else // the process centre shows new formats at once, not at the next redraw
        m_board->funnel().showProcessCenter();
}

void QuincunxForm::scaleQuincunx(bool newRun)
{
    m_board->scaleQuincunx(newRun, m_panel->pinLevels());
    describeBoard();
}

void QuincunxForm::moveFunnel(int direction)
{
    m_board->shapes().clearTraceLines();
    m_quincunx.moveFunnel(direction);
    describeBoard();
}

void QuincunxForm::emptyBaffle()
{
    m_board->baffle().empty();
    describeBoard();
}

void QuincunxForm::setSpeedPosition(int position)
{
    m_panel->setSpeedPosition(position);
}

void QuincunxForm::readyForDemonstration()
{
    m_quincunx.markIdle();
    m_panel->readyForDemonstration();
}

void QuincunxForm::clearBoardForDemonstration()
{
    m_panel->setOption(DemoControl::Baffle, false);
    m_board->baffle().setShown(false);
    m_panel->setEnabled(false);
    m_picture->repaint();
}

void QuincunxForm::setControlPanelEnabled(bool enabled)
{
    m_panel->setEnabled(enabled);
}

void QuincunxForm::setSettingText(DemoControl setting, const QString &text)
{
    m_panel->setSettingText(setting, text);
}

void QuincunxForm::setOption(DemoControl option, bool ticked)
{
    m_panel->setOption(option, ticked);
}

void QuincunxForm::highlightSetting(DemoControl setting, double seconds)
{
    m_panel->highlightSetting(setting, seconds);
}

void QuincunxForm::hideCharts()
{
    m_charts->hide();
}

void QuincunxForm::resetCharts()
{
    m_charts->resetCharts();
}

void QuincunxForm::moveCharts(const QPoint &topLeft)
{
    m_charts->move(topLeft);
}

QRect QuincunxForm::boardArea() const
{
    return QRect(m_picture->mapTo(this, QPoint(0, 0)), m_picture->size());
}

void QuincunxForm::setupGrids()
{
    const int n = subgroupSize();
    m_charts->setChartTitles(n);
    m_quincunx.setSettings(runSettings());
    layOutSubgroupTable(m_grdScaled, n);
}

void QuincunxForm::resetRun()
{
    m_quincunx.setSettings(runSettings());
    m_quincunx.reset();
    setSpeed(defaultSpeed);
    describeBoard();
}

void QuincunxForm::runReset()
{
    resetSubgroupTable(m_grdScaled, subgroupSize());
    m_board->shapes().balls.unloadAll();
    m_panel->showSubgroupCount(0);
}

void QuincunxForm::resetbutton_Click()
{
    m_picture->cls();
    m_board->shapes().clearTraceLines();
    m_charts->resetCharts();
    m_board->drawQuincunx(m_panel->pinLevels());
    setSpeed(defaultSpeed);
    m_quincunx.markIdle();
}

void QuincunxForm::dropbutton_Click()
{
    m_quincunx.setSettings(runSettings());
    m_quincunx.run();
    if (m_closing)
        return;
    describeBoard();
    m_charts->describePage();
}

void QuincunxForm::setControlsEnabled(bool enabled)
{
    m_panel->setRunning(!enabled);
    m_board->baffle().handle()->setEnabled(enabled);
}

void QuincunxForm::HScroll1_Change(int position)
{
    static constexpr double delays[] = {0.02, 0.03, 0.04, 0.16, 0.32};
    if (position >= 1 && position <= 5)
        m_quincunx.setStepDelay(delays[position - 1]);
}

void QuincunxForm::chkTrace_Click(bool shown)
{
    m_quincunx.setTraceShown(shown);
    if (!shown)
        m_board->shapes().clearTraceLines();
}

void QuincunxForm::bafflepresentcheck_Click(bool shown)
{
    // The board asks the run whether its baffle shows.
    m_quincunx.setSettings(runSettings());
    if (shown)
        m_board->baffle().setShown(true);
    else
        m_board->baffle().hide();
}

void QuincunxForm::rowstext_Change()
{
    if (m_firstActivation)
        return;
    m_board->changeRows(m_panel->pinLevels());
    describeBoard();
}

void QuincunxForm::subgrouptext_Change()
{
    setupGrids();
}

void QuincunxForm::histbutton_Click()
{
    if (m_run.subgroupCount < 1) {
        showInformation(QStringLiteral("You must drop a few subgroups before viewing histograms."));
        return;
    }
    m_histograms->showRun(m_run, sharedStore().state(), m_quincunx.record());
    m_stack->setCurrentWidget(m_histograms);
    fitPanel();
    // The histograms may need a wider window than the board: it stays on the screen.
    keepOnScreen(this);
    m_histograms->setWindowTitle(QStringLiteral("Histograms of Means and Individuals\r\n"));
    m_panel->setEnabled(false);
    m_board->funnel().leftButton()->setEnabled(false);
    m_board->funnel().rightButton()->setEnabled(false);
    // Asked for from the charts window or the manual (Ctrl+G), the keyboard follows the view.
    activateWindow();
    m_histograms->backButton()->setFocus();
}

void QuincunxForm::histbackbutton_Click()
{
    m_stack->setCurrentIndex(0);
    fitPanel();
    m_panel->setEnabled(true);
    m_board->funnel().leftButton()->setEnabled(true);
    m_board->funnel().rightButton()->setEnabled(true);
    m_panel->focusRun();
}

void QuincunxForm::contchrbutton_Click()
{
    m_charts->show();
    m_charts->raise();
    m_charts->activateWindow();
}

void QuincunxForm::cmdHelp_Click()
{
    showManual(m_stack->currentWidget() == m_histograms ? QStringLiteral("histograms.html")
                                                        : QStringLiteral("mainwindow.html"));
}

void QuincunxForm::showManual(const QString &page, QWidget *asker)
{
    if (!m_help)
        m_help = new HelpWindow(this);
    m_help->showPage(page, asker);
}

void QuincunxForm::openRunLengthLab()
{
    // A lab window that was closed goes away by itself.
    if (!m_runLength || !m_runLength->isVisible()) {
        const RunSettings board = runSettings();
        RunLengthSettings settings;
        settings.rows = board.rows;
        settings.subgroupSize = board.subgroupSize;
        settings.limitCount = board.limitCount;
        settings.shiftAfter = board.limitCount;
        m_runLength = new RunLengthWindow(settings, this);
        connect(new QShortcut(keys::help, m_runLength), &QShortcut::activated, this,
                [this] { showManual(QStringLiteral("runlength.html"), m_runLength); });
    }
    m_runLength->show();
    m_runLength->raise();
    m_runLength->activateWindow();
}

void QuincunxForm::scalequincunxbutton_Click()
{
    m_charts->hide();
    ScaleDialog dialog(this);
    connect(new QShortcut(keys::help, &dialog), &QShortcut::activated, this,
            [this, &dialog] { showManual(QStringLiteral("scale.html"), &dialog); });
    dialog.exec();
}

void QuincunxForm::aboutbutton_Click()
{
    AboutWindow about(this);
    connect(new QShortcut(keys::help, &about), &QShortcut::activated, this,
            [this, &about] { showManual(QStringLiteral("mainwindow.html#about"), &about); });
    about.exec();
}

void QuincunxForm::selfscriptbutton_Click()
{
    m_demo->start();
}

void QuincunxForm::exportData()
{
    kelvara::exportData(this, m_grdScaled, subgroupSize());
}

void QuincunxForm::closeEvent(QCloseEvent *event)
{
    m_closing = true;
    m_quincunx.pause();
    m_charts->close();
    if (m_runLength)
        m_runLength->close();
    if (m_help)
        m_help->close();
    if (m_funnelRulesWindow)
        m_funnelRulesWindow->close();
    event->accept();
    QCoreApplication::quit();
}

void QuincunxForm::capabilityChanged(const CapabilityView &view)
{
    for (QLabel *label : std::initializer_list<QLabel *>{m_cpTitle, m_cpkTitle, m_cpValue, m_cpkValue, m_ppTitle,
                                                         m_ppkTitle, m_ppValue, m_ppkValue})
        label->setVisible(view.visible);
    m_cpValue->setFittedText(view.cp);
    m_cpkValue->setFittedText(view.cpk);
    m_ppValue->setFittedText(view.pp);
    m_ppkValue->setFittedText(view.ppk);
}

void QuincunxForm::describeBoard()
{
    BoardSummary summary = summariseRun(m_quincunx);
    summary.rows = m_panel->settingText(DemoControl::Rows);
    summary.subgroupSize = m_panel->settingText(DemoControl::SubgroupSize);
    summary.centre = m_board->funnel().centreLabel()->text();
    m_picture->setAccessibleDescription(kelvara::describeBoard(summary));
}

int QuincunxForm::subgroupSize() const
{
    return m_panel->subgroupSize();
}

RunSettings QuincunxForm::runSettings() const
{
    RunSettings settings = m_panel->settings();
    settings.ballHeight = m_board->shapes().height();
    return settings;
}

// Closing the window, or Esc while the demonstration plays, ends the Run
// where it is.
bool QuincunxForm::letEventsRun()
{
    QCoreApplication::processEvents();
    return !m_closing && !m_demo->escaped();
}

void QuincunxForm::traceLinesCleared()
{
    m_board->shapes().clearTraceLines();
}

void QuincunxForm::traceColourChosen(int paletteIndex)
{
    m_board->shapes().traces.templateElement()->setColour(qbColor(paletteIndex));
}

bool QuincunxForm::ballStarted(const PathStepper &path)
{
    m_board->dropper().start(path);
    return true;
}

void QuincunxForm::ballAtPin(const PathStepper &)
{
    m_board->dropper().reachPin();
}

bool QuincunxForm::ballStepped(const PathStepper &path)
{
    m_board->dropper().step(path);
    return true;
}

void QuincunxForm::ballLanded(const BallLanding &landing, bool animated)
{
    m_board->dropper().land(landing, animated);
}

void QuincunxForm::rowBegun(int row)
{
    m_grdScaled.setRowCount(row + 1);
    m_grdScaled.setText(row, 0, QString::number(row));
}

void QuincunxForm::ballRecorded(int row, int ball)
{
    m_grdScaled.setText(row, ball, m_quincunx.record().measurementText(row, ball, sharedStore().state().formats));
}

void QuincunxForm::rowClosed(int row)
{
    const SubgroupRecord &record = m_quincunx.record();
    const DisplayFormats &formats = sharedStore().state().formats;
    const int n = record.subgroupSize();
    const int average = SubgroupRecord::averageColumn(n), range = SubgroupRecord::rangeColumn(n);
    m_grdScaled.setText(row, average, record.measurementText(row, average, formats));
    m_grdScaled.rowCompleted(row);
    m_grdScaled.setText(row, range, record.measurementText(row, range, formats));
}

void QuincunxForm::showInformation(const QString &text)
{
    showMessage(text, QMessageBox::Information, this);
}

void QuincunxForm::stopped(RunStop why, const QString &message)
{
    if (why == RunStop::GeneratorFailed)
        showMessage(message, QMessageBox::Critical);
    else if (why == RunStop::BoardFull || why == RunStop::BaffleFull)
        showInformation(message);
}

void QuincunxForm::funnelMoved()
{
    m_board->funnel().followRun();
}

void QuincunxForm::subgroupCounted(int subgroups)
{
    m_panel->showSubgroupCount(subgroups);
    // Telling it in words costs a tenth of a fast Run: during one, only while
    // a screen reader listens; the Run's end tells it anyway.
    if (QAccessible::isActive())
        describeBoard();
}

void QuincunxForm::limitTextsChanged(const LimitTexts &texts)
{
    m_charts->setValueTitles(texts.x, texts.r);
}

void QuincunxForm::chartsDue(int firstSubgroup)
{
    m_charts->showPage(firstSubgroup);
}

} // namespace kelvara
