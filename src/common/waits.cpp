// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/waits.h"

#include "common/shared.h"

#include <QApplication>
#include <QKeyEvent>
#include <QShortcutEvent>

#include <chrono>
#include <thread>

namespace kelvara {

void waitSeconds(double seconds)
{
    const double scaled = seconds * timeScale();
    if (!(scaled > 0))
        return;
    const auto deadline = std::chrono::steady_clock::now()
                          + std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                              std::chrono::duration<double>(scaled));
    std::this_thread::sleep_until(deadline);
}

InputBlocker::InputBlocker()
{
    qApp->installEventFilter(this);
}

InputBlocker::~InputBlocker()
{
    qApp->removeEventFilter(this);
}

bool InputBlocker::eventFilter(QObject *, QEvent *event)
{
    // Qt already keeps input away from the windows a modal dialog blocks.
    if (QApplication::activeModalWidget())
        return false;
    switch (event->type()) {
    case QEvent::KeyPress: {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (!key->isAutoRepeat()) {
            m_gotInput = true;
            m_gotEscape = m_gotEscape || key->key() == Qt::Key_Escape;
        }
        return true;
    }
    case QEvent::MouseButtonPress:
        m_gotInput = true;
        return true;
    // A key bound to a shortcut (F1, Ctrl+R, ...) arrives as a shortcut event
    // instead of a key press: it goes on like any other key.
    case QEvent::Shortcut: {
        const auto *shortcut = static_cast<QShortcutEvent *>(event);
        m_gotInput = true;
        m_gotEscape = m_gotEscape || shortcut->key() == QKeySequence(Qt::Key_Escape);
        return true;
    }
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

KeyWaitResult waitForKey(const std::function<bool()> &closing)
{
    const InputBlocker blocker;
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
