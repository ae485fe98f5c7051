#include "app/utilities.h"

#include "app/shared.h"
#include "core/numeric.h"

#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScreen>
#include <QWidget>

#include <chrono>
#include <thread>

namespace kelvara {
namespace {

// Swallows key presses and mouse clicks application-wide while a caption
// waits, remembering whether one came and whether it was Esc.
class InputCatcher : public QObject {
public:
    bool gotInput = false;
    bool escape = false;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::KeyPress:
            gotInput = true;
            escape = escape || static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape;
            return true;
        case QEvent::MouseButtonPress:
            gotInput = true;
            return true;
        case QEvent::KeyRelease:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::ContextMenu:
        case QEvent::ShortcutOverride:
        case QEvent::Shortcut:
            return true;
        default:
            return false;
        }
    }
};

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
        const QString text = key->text();
        if (text.isEmpty() || key->key() == Qt::Key_Backspace || key->key() == Qt::Key_Return
            || key->key() == Qt::Key_Enter)
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

KeyWaitResult waitForKey(const std::function<bool()> &closing)
{
    InputCatcher catcher;
    qApp->installEventFilter(&catcher);
    while (!catcher.gotInput && !closing())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    // Input still queued behind the one that ended the wait must not reach a control either.
    QCoreApplication::processEvents();
    qApp->removeEventFilter(&catcher);
    if (closing())
        return KeyWaitResult::Closing;
    return catcher.escape ? KeyWaitResult::Escape : KeyWaitResult::Continue;
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
    box->installEventFilter(new KeyFilter(box, std::move(filter)));
}

} // namespace kelvara
