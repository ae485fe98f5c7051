#include "app/utilities.h"

#include "app/shared.h"
#include "core/numeric.h"

#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScreen>
#include <QShortcutEvent>
#include <QValidator>
#include <QWidget>

#include <chrono>
#include <thread>

namespace kelvara {
namespace {

class KeyFilter : public QObject {
public:
    KeyFilter(QLineEdit *box, CharFilter filter) : QObject(box), m_box(box), m_filter(std::move(filter)) {}

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->matches(QKeySequence::Paste)) {
            paste();
            return true;
        }
        // Only printable characters are filtered: Backspace, Enter, Tab, Esc
        // and the Ctrl shortcuts keep their usual work.
        const QString text = key->text();
        if (text.isEmpty() || !text.front().isPrint())
            return false;
        for (const QChar c : text) {
            if (m_filter(m_box->text(), c).isNull())
                return true;
        }
        return false;
    }

private:
    void paste()
    {
        const QString clip = QGuiApplication::clipboard()->text();
        for (const QChar c : clip) {
            if (c.isPrint() && !m_filter(m_box->text(), c).isNull())
                m_box->insert(QString(c));
        }
    }

    QLineEdit *m_box;
    CharFilter m_filter;
};

// Text that arrives other than by typing (the context menu's paste, a drop)
// must pass the same filter: every character in turn, against the text
// before it.
class FilterValidator : public QValidator {
public:
    FilterValidator(QLineEdit *box, CharFilter filter) : QValidator(box), m_filter(std::move(filter)) {}

    State validate(QString &input, int &) const override
    {
        for (qsizetype i = 0; i < input.size(); ++i) {
            if (m_filter(input.left(i), input.at(i)).isNull())
                return Invalid;
        }
        return Acceptable;
    }

private:
    CharFilter m_filter;
};

} // namespace

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
    shared().lastKey = 1;
    return KeyWaitResult::Escape;
}

QPoint centredPosition(QSize window, QSize screen)
{
    const int top = toInt16(0.85 * screen.height()) / 2 - window.height() / 2;
    const int left = screen.width() / 2 - window.width() / 2;
    return {left, top};
}

void centreForm(QWidget *window)
{
    const QScreen *screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->geometry();
    window->move(area.topLeft() + centredPosition(window->frameGeometry().size(), area.size()));
}

void installKeyFilter(QLineEdit *box, CharFilter filter)
{
    box->setValidator(new FilterValidator(box, filter));
    box->installEventFilter(new KeyFilter(box, std::move(filter)));
}

} // namespace kelvara
