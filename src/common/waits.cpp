// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/waits.h"

#include "common/inputhold.h"
#include "common/shared.h"

#include <QApplication>
#include <QEventLoop>
#include <QKeyEvent>
#include <QShortcutEvent>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <optional>
#include <thread>
#include <vector>

namespace kelvara {
namespace {

using std::chrono::steady_clock;

// How a wait's event loop ended; an application that quits ends it with 0.
constexpr int timeIsUp = 1;
constexpr int escapeTaken = 2;

// The end of a wait that is slept rather than left to the loop's timer.
constexpr auto lastMoment = std::chrono::milliseconds(2);

// The event loops of the timed waits going on, innermost last.
std::vector<QEventLoop *> g_runningWaits;

class RunningWait {
public:
    explicit RunningWait(QEventLoop &loop) : m_loop(loop) { g_runningWaits.push_back(&m_loop); }
    ~RunningWait() { std::erase(g_runningWaits, &m_loop); }
    RunningWait(const RunningWait &) = delete;
    RunningWait &operator=(const RunningWait &) = delete;

private:
    QEventLoop &m_loop;
};

int g_blockers = 0;
int g_blockersWithEscape = 0;

// The loop's timer counts whole milliseconds and wakes a little late; a ball
// that waits once a row would fall behind its pace. So the timer wakes the
// loop two to three milliseconds before the deadline, and the rest is slept
// on the steady clock, which holds the events back no longer than that.
// False when Esc or the program's quitting ended the wait sooner.
bool runEventsUntilShortlyBefore(steady_clock::time_point deadline)
{
    QEventLoop loop;
    const RunningWait running(loop);
    QTimer alarm;
    alarm.setSingleShot(true);
    alarm.setTimerType(Qt::PreciseTimer);
    QObject::connect(&alarm, &QTimer::timeout, &loop, [&loop] { loop.exit(timeIsUp); });
    using std::chrono::milliseconds;
    const auto timerPart = [&deadline] {
        return std::chrono::floor<milliseconds>(deadline - steady_clock::now()) - lastMoment;
    };
    for (auto part = timerPart(); part > milliseconds::zero(); part = timerPart()) {
        alarm.start(part);
        if (loop.exec() != timeIsUp)
            return false;
    }
    return true;
}

} // namespace

void waitSeconds(double seconds)
{
    const double scaled = seconds * timeScale();
    if (!(scaled > 0) || InputBlocker::anyGotEscape())
        return;
    const auto deadline = steady_clock::now()
                          + std::chrono::duration_cast<steady_clock::duration>(std::chrono::duration<double>(scaled));
    std::optional<InputHold> hold;
    if (!InputBlocker::anyBlocking())
        hold.emplace();
    if (runEventsUntilShortlyBefore(deadline))
        std::this_thread::sleep_until(deadline);
}

InputBlocker::InputBlocker()
{
    ++g_blockers;
    qApp->installEventFilter(this);
}

InputBlocker::~InputBlocker()
{
    qApp->removeEventFilter(this);
    --g_blockers;
    if (m_gotEscape)
        --g_blockersWithEscape;
}

bool InputBlocker::anyBlocking()
{
    return g_blockers > 0;
}

bool InputBlocker::anyGotEscape()
{
    return g_blockersWithEscape > 0;
}

void InputBlocker::noteKey(bool escape)
{
    m_gotInput = true;
    if (!escape || m_gotEscape)
        return;
    m_gotEscape = true;
    ++g_blockersWithEscape;
    for (QEventLoop *wait : g_runningWaits)
        wait->exit(escapeTaken);
}

bool InputBlocker::eventFilter(QObject *, QEvent *event)
{
    // Qt already keeps input away from the windows a modal dialog blocks.
    if (QApplication::activeModalWidget())
        return false;
    switch (event->type()) {
    case QEvent::KeyPress: {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (!key->isAutoRepeat())
            noteKey(key->key() == Qt::Key_Escape);
        return true;
    }
    case QEvent::MouseButtonPress:
        m_gotInput = true;
        return true;
    // A key bound to a shortcut (F1, Ctrl+R, ...) arrives as a shortcut event
    // instead of a key press: it goes on like any other key.
    case QEvent::Shortcut:
        noteKey(static_cast<QShortcutEvent *>(event)->key() == QKeySequence(Qt::Key_Escape));
        return true;
    case QEvent::KeyRelease:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::ShortcutOverride:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TabletPress:
    case QEvent::TabletRelease:
        return true;
    default:
        return false;
    }
}

KeyWaitResult waitForKey(const std::function<bool()> &closing, double firstSeconds)
{
    const InputBlocker blocker;
    waitSeconds(firstSeconds);
    while (!blocker.gotInput() && !closing())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    // Input still queued behind the one that ended the wait must not reach a control either.
    QCoreApplication::processEvents();
    if (closing())
        return KeyWaitResult::Closing;
    if (!blocker.gotEscape())
        return KeyWaitResult::Continue;
    return KeyWaitResult::Escape;
}

} // namespace kelvara
