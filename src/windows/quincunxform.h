// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window (`quincunxform`): the board beside the control panel, the
// histograms view in the board's place when it is open. It handles the
// controls' events, forwards them to the run it shows and draws what the run
// reports.

#include "board/quincunxboard.h"
#include "core/controllimits.h"
#include "core/demoscript.h"
#include "core/quincunxrun.h"
#include "core/runstate.h"
#include "core/texttable.h"
#include "reports/subgroupgrid.h"
#include "windows/demostage.h"

#include <QPointer>
#include <QWidget>

#include <memory>

class QLabel;
class QStackedLayout;

namespace kelvara {

class ControlChartsWindow;
class Demonstration;
class ControlPanel;
class DrawingSurface;
class FittingLabel;
class FunnelRulesWindow;
class HelpWindow;
class HistogramsView;
class RunLengthWindow;
struct ScaleChange;

class QuincunxForm : public QWidget, private RunListener, public DemoStage {
    Q_OBJECT
public:
    explicit QuincunxForm(QWidget *parent = nullptr);
    ~QuincunxForm() override;

    /// The first activation: the board's coordinate system, the board drawn
    /// for 20 rows (a new run), the ball sized, the speed set. Runs once.
    void firstActivation();

    // Public operations other windows use.
    void setControlsEnabled(bool enabled);
    /// Starts a new run with the panel's settings; every full drawing of the board begins with it.
    void resetRun();

    /// Moves the funnel one slot to the left (-1) or right (+1), as its arrows do.
    void moveFunnel(int direction) override;
    /// Lets the balls on the baffle fall into their piles, as its handle does.
    void emptyBaffle() override;
    /// Sets the speed bar to a position from 1 (fastest) to 5.
    void setSpeedPosition(int position) override;

    // DemoStage: the demonstration shows the controls at work.
    QWidget *stageWindow() override { return this; }
    void readyForDemonstration() override;
    void clearBoardForDemonstration() override;
    void setControlPanelEnabled(bool enabled) override;
    void setSettingText(DemoControl setting, const QString &text) override;
    void setOption(DemoControl option, bool ticked) override;
    void highlightSetting(DemoControl setting, double seconds) override;
    void pressRun() override { dropbutton_Click(); }
    void pressReset() override { resetbutton_Click(); }
    void showCharts() override { contchrbutton_Click(); }
    void hideCharts() override;
    void resetCharts() override;
    void moveCharts(const QPoint &topLeft) override;
    QRect boardArea() const override;

    // What the window shows, for tests to inspect.
    QuincunxRun &quincunxRun() { return m_quincunx; }
    /// The measurement table's texts as shown.
    const TextTable &measurementTable() const { return m_grdScaled; }
    QuincunxBoard &board() { return *m_board; }

    ControlChartsWindow *chartsWindow() const { return m_charts; }
    bool isClosing() const override { return m_closing; }

    /// Opens the manual at `page`; `asker` is the window F1 was pressed in.
    void showManual(const QString &page, QWidget *asker = nullptr);
    /// Opens the run-length lab with the board's settings, or brings the open
    /// one to the front.
    void openRunLengthLab();
    /// The manual, once it has been opened.
    HelpWindow *manual() const { return m_help; }

    int subgroupCount() const override { return m_run.subgroupCount; }

    // Event handlers of the controls.
    void dropbutton_Click();
    void resetbutton_Click();
    void HScroll1_Change(int position);
    void chkTrace_Click(bool shown);
    void bafflepresentcheck_Click(bool shown);
    void rowstext_Change();
    void subgrouptext_Change();
    void histbutton_Click();
    void histbackbutton_Click();
    void contchrbutton_Click();
    void cmdHelp_Click();
    void scalequincunxbutton_Click();
    void aboutbutton_Click();
    void selfscriptbutton_Click();
    void exportData();

protected:
    bool event(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    // RunListener
    void runReset() override;
    void runStarted() override { setControlsEnabled(false); }
    void runEnded() override { setControlsEnabled(true); }
    bool letEventsRun() override;
    void traceLinesCleared() override;
    void traceColourChosen(int paletteIndex) override;
    bool ballStarted(const PathStepper &path) override;
    void ballAtPin(const PathStepper &path) override;
    bool ballStepped(const PathStepper &path) override;
    void ballLanded(const BallLanding &landing, bool animated) override;
    void rowBegun(int row) override;
    void ballRecorded(int row, int ball) override;
    void rowClosed(int row) override;
    void subgroupCounted(int subgroups) override;
    void limitTextsChanged(const LimitTexts &texts) override;
    void capabilityChanged(const CapabilityView &view) override;
    void chartsDue(int firstSubgroup) override;
    void stopped(RunStop why, const QString &message) override;
    void funnelMoved() override;
    /// The board follows a new scale or new display formats.
    void followScale(const ScaleChange &change);
    /// Draws the board for the new scale, for a new run after a new half-width.
    void scaleQuincunx(bool newRun);
    void buildLayout();
    QLabel *capabilityTitle(const QString &name, const QString &text, double left, double top);
    FittingLabel *capabilityValue(const QString &name, double left, double top);
    void connectControls();
    void addHelpKeys();
    /// Text as large as the zoom asks on the board and the panel.
    void applyZoom();
    /// The window's size for the zoom just set, from its size before.
    QSize sizeForZoom();
    /// The board's side in a window of that size without its margins.
    int boardSide(QSize inner) const;
    /// The board as large as the height allows; the panel takes the width left.
    void fitPanel();
    void openBoardMenu(const QPoint &globalPosition);
    /// Opens "Funnel Rules Compared" for the board's rows and target.
    void compareFunnelRules();
    /// Tells the board's state in words, for screen readers.
    void describeBoard();
    void setTabOrder();
    void setupGrids();
    void setSpeed(int position);
    /// n as the tables lay it out, from the panel.
    int subgroupSize() const;
    /// The run's settings as the control panel shows them.
    RunSettings runSettings() const;
    void showInformation(const QString &text);

    QuincunxRun m_quincunx;
    const RunState &m_run;
    ControlPanel *m_panel;
    DrawingSurface *m_picture;
    HistogramsView *m_histograms;
    QStackedLayout *m_stack;
    SubgroupGrid m_grdScaled;
    std::unique_ptr<QuincunxBoard> m_board;
    std::unique_ptr<Demonstration> m_demo;
    ControlChartsWindow *m_charts;
    HelpWindow *m_help = nullptr;
    QPointer<RunLengthWindow> m_runLength;
    QPointer<FunnelRulesWindow> m_funnelRulesWindow;
    QLabel *m_cpTitle;
    QLabel *m_cpkTitle;
    FittingLabel *m_cpValue;
    FittingLabel *m_cpkValue;
    QLabel *m_ppTitle;
    QLabel *m_ppkTitle;
    FittingLabel *m_ppValue;
    FittingLabel *m_ppkValue;
    bool m_firstActivation = true;
    bool m_closing = false;
};

} // namespace kelvara
