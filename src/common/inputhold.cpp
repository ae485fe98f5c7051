// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/inputhold.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QPointer>

#include <memory>
#include <utility>
#include <vector>

namespace kelvara {
namespace {

bool isUserInput(const QObject *receiver, const QEvent *event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    // A key bound to a shortcut arrives as a shortcut event instead of a key press.
    case QEvent::Shortcut:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TouchCancel:
    case QEvent::TabletPress:
    case QEvent::TabletRelease:
        return true;
    // A drag keeps its moves between its press and its release.
    case QEvent::MouseMove:
    case QEvent::TabletMove:
        return static_cast<const QSinglePointEvent *>(event)->buttons() != Qt::NoButton;
    // The window system asks a window to close; the program's own close() goes
    // to the widget and is no user input.
    case QEvent::Close:
        return receiver->isWindowType();
    default:
        return false;
    }
}

// The one filter all holds share, so that input kept under nested holds
// comes back in one sequence.
class Keeper : public QObject {
public:
    Keeper() { qApp->installEventFilter(this); }
    ~Keeper() override
    {
        qApp->removeEventFilter(this);
        for (auto &[receiver, event] : m_kept)
            if (receiver)
                QCoreApplication::postEvent(receiver, event.release());
    }

    int holds = 0;

protected:
    bool eventFilter(QObject *receiver, QEvent *event) override
    {
        if (!isUserInput(receiver, event))
            return false;
        m_kept.emplace_back(receiver, event->clone());
        return true;
    }

private:
    std::vector<std::pair<QPointer<QObject>, std::unique_ptr<QEvent>>> m_kept;
};

Keeper *g_keeper = nullptr;

} // namespace

InputHold::InputHold()
{
    if (!g_keeper)
        g_keeper = new Keeper;
    ++g_keeper->holds;
}

InputHold::~InputHold()
{
    if (--g_keeper->holds == 0)
        delete std::exchange(g_keeper, nullptr);
}

} // namespace kelvara
