// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/demonstration.h"

#include "common/messages.h"
#include "common/waits.h"
#include "common/zoom.h"
#include "core/numeric.h"
#include "windows/captionpictures.h"
#include "windows/demostage.h"

#include <QWidget>

#include <QCoreApplication>
#include <QLabel>
#include <QPixmap>
#include <QScreen>

#include <algorithm>

namespace kelvara {
namespace {

// A caption stays at least this long; a key pressed meanwhile goes on after it.
constexpr double secondsBeforeInput = 1.0;
// The caption sits below the process-centre label in the board's upper right.
constexpr double panelTopShare = 0.16;
constexpr double chartsTopShare = 0.2;

} // namespace

Demonstration::Demonstration(DemoStage &stage)
    : m_stage(stage), m_teachpanel(new QLabel(stage.stageWindow()))
{
    m_teachpanel->setObjectName(QStringLiteral("teachpanel"));
    m_teachpanel->setFixedSize(captionSize);
    m_teachpanel->hide();
    for (int index = 0; index <= captionCount; ++index) {
        auto *picture = new QLabel(stage.stageWindow());
        picture->setObjectName(QStringLiteral("Image1"));
        picture->hide();
        m_pictures.push_back(picture);
    }
}

Demonstration::~Demonstration() = default;

QString Demonstration::clearingQuestion(int subgroups)
{
    const QString what = subgroups == 1 ? QStringLiteral("the 1 subgroup")
                                        : QStringLiteral("the %1 subgroups").arg(subgroups);
    return QStringLiteral("The demonstration will clear %1 on the board. Start it?").arg(what);
}

// The script resets the run, and so does Esc at a caption: a class's
// subgroups go only when the teacher says so.
bool Demonstration::mayClearRun()
{
    const int subgroups = m_stage.subgroupCount();
    return subgroups < 1
           || showMessage(clearingQuestion(subgroups), QMessageBox::Question, m_stage.stageWindow(), productName, Answers::YesOrNo)
                  == QMessageBox::Yes;
}

void Demonstration::start()
{
    if (m_userWatches || !mayClearRun())
        return;
    m_stage.readyForDemonstration();
    runDemo(true);
}

// The main window is deleted only after the event loop has ended, which
// cannot happen while this click handler runs; closing it is what the script
// must notice, after every step, because Runs and captions let events run.
// An Esc ends the wait or the Run it comes in at once, and the script there.
void Demonstration::runDemo(bool play)
{
    if (!play || m_userWatches)
        return;
    m_userWatches = std::make_unique<InputBlocker>();
    m_escapedAtCaption = false;
    renderCaptions();
    prepare();
    for (const DemoStep &step : demoScript()) {
        if (m_stage.isClosing() || escaped())
            break;
        perform(step);
    }
    if (escaped() && !m_stage.isClosing())
        handBack();
    m_userWatches.reset();
}

bool Demonstration::escaped() const
{
    return m_userWatches && (m_escapedAtCaption || m_userWatches->gotEscape());
}

// Drawing the thirteen captions takes longer than building the rest of the
// window, so they are drawn when the demonstration is first played, and again
// only when their size has changed since. They grow with the zoom, but never
// wider than the board. Events run between the pictures, so that the windows
// keep answering meanwhile.
void Demonstration::renderCaptions()
{
    const double boardShare = double(m_stage.boardArea().width()) / captionSize.width();
    const double scale = std::max(1.0, std::min(zoom::factor(), boardShare));
    if (!m_pictures.front()->pixmap().isNull() && m_captionScale == scale)
        return;
    m_captionScale = scale;
    m_teachpanel->setFixedSize((QSizeF(captionSize) * scale).toSize());
    for (int index = 1; index <= captionCount; ++index) {
        m_pictures[std::size_t(index)]->setPixmap(QPixmap::fromImage(captionPicture(index, scale)));
        QCoreApplication::processEvents();
    }
    m_pictures.front()->setPixmap(m_pictures[1]->pixmap()); // Image1(0) holds the first caption too
}

void Demonstration::prepare()
{
    m_stage.clearBoardForDemonstration();
    m_teachpanel->clear();
    placePanel();
    m_teachpanel->show();
    m_teachpanel->raise();
    m_teachpanel->setFocus();
}

void Demonstration::perform(const DemoStep &step)
{
    using enum DemoAction;
    switch (step.action) {
    case Caption:
        showCaption(int(step.number));
        break;
    case HidePanel:
        m_teachpanel->hide();
        break;
    case SetText:
        m_stage.setSettingText(step.control, step.text);
        break;
    case Tick:
    case Clear:
        m_stage.setOption(step.control, step.action == Tick);
        break;
    case Speed:
        m_stage.setSpeedPosition(int(step.number));
        break;
    case Run:
        m_stage.pressRun();
        break;
    case Reset:
        m_stage.pressReset();
        break;
    case FunnelLeft:
        m_stage.moveFunnel(-1);
        break;
    case FunnelRight:
        m_stage.moveFunnel(+1);
        break;
    case EmptyBaffle:
        m_stage.emptyBaffle();
        break;
    case Wait:
        waitSeconds(step.number);
        break;
    case Highlight:
        m_stage.highlightSetting(step.control, step.number);
        break;
    case PlaceCharts:
        placeChartsWindow();
        break;
    case ShowCharts:
        m_stage.showCharts();
        break;
    case HideCharts:
        m_stage.hideCharts();
        break;
    case ResetCharts:
        m_stage.resetCharts();
        break;
    case Finish:
        takeDownPanel();
        m_stage.setControlPanelEnabled(true);
        break;
    }
}

void Demonstration::showCaption(int index)
{
    m_teachpanel->setPixmap(m_pictures.at(std::size_t(std::clamp(index, 0, captionCount)))->pixmap());
    placePanel();
    m_teachpanel->show();
    m_teachpanel->raise();
    const auto closing = [this] { return m_stage.isClosing(); };
    m_escapedAtCaption = waitForKey(closing, secondsBeforeInput) == KeyWaitResult::Escape;
}

void Demonstration::handBack()
{
    takeDownPanel();
    m_stage.pressReset();
    m_stage.setControlPanelEnabled(true);
}

// The panel's right edge meets the board's, wherever the window's layout
// has put the board.
void Demonstration::placePanel()
{
    const QRect board = m_stage.boardArea();
    const int left = std::max(0, board.width() - m_teachpanel->width());
    m_teachpanel->move(board.topLeft() + QPoint(left, toInt16(panelTopShare * board.height())));
}

void Demonstration::takeDownPanel()
{
    m_teachpanel->hide();
    m_teachpanel->clear();
}

void Demonstration::placeChartsWindow()
{
    const QWidget *window = m_stage.stageWindow();
    const QScreen *screen = window->screen();
    const QPoint origin = screen ? screen->geometry().topLeft() : QPoint();
    m_stage.moveCharts(origin + QPoint(0, toInt16(chartsTopShare * window->height())));
}

} // namespace kelvara
