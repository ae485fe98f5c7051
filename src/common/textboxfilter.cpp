// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/textboxfilter.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QValidator>

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

void installKeyFilter(QLineEdit *box, CharFilter filter)
{
    box->setValidator(new FilterValidator(box, filter));
    box->installEventFilter(new KeyFilter(box, std::move(filter)));
}

} // namespace kelvara
