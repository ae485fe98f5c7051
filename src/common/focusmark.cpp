// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/focusmark.h"

#include <QEvent>
#include <QLabel>
#include <QPointer>

namespace kelvara {
namespace {

class FocusMark : public QObject {
public:
    FocusMark(QWidget *widget, QLabel *title) : QObject(widget), m_title(title) { widget->installEventFilter(this); }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (m_title && (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut)) {
            const bool focused = event->type() == QEvent::FocusIn;
            m_title->setAutoFillBackground(focused);
            m_title->setBackgroundRole(focused ? QPalette::Highlight : QPalette::Window);
            m_title->setForegroundRole(focused ? QPalette::HighlightedText : QPalette::WindowText);
        }
        return false;
    }

private:
    QPointer<QLabel> m_title;
};

} // namespace

void markFocusOnTitle(QWidget *widget, QLabel *title)
{
    new FocusMark(widget, title);
}

} // namespace kelvara
