#pragma once
// Small routines every window uses: timed waits, the wait for a key at a
// demonstration caption, window centring and the key filters of text boxes.

#include <QObject>
#include <QString>

#include <functional>

class QLineEdit;
class QWidget;

namespace kelvara {

/// Blocks for `seconds` times the test time scale without letting events run.
void waitSeconds(double seconds);

/// While it lives, key presses, mouse clicks and wheel turns aimed at any
/// window of the program reach no control, keys bound to shortcuts included;
/// it notes whether one came and whether it was Esc. A held key's repeats are swallowed without counting.
/// Input to a modal dialog passes, so a message box can still be answered.
class InputBlocker : public QObject {
public:
    InputBlocker();
    ~InputBlocker() override;

    bool gotInput() const { return m_gotInput; }
    bool gotEscape() const { return m_gotEscape; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool m_gotInput = false;
    bool m_gotEscape = false;
};

enum class KeyWaitResult { Continue, Escape, Closing };

/// Waits until a key is pressed or a mouse button clicked in any window of the
/// program. The input is swallowed, so it reaches no control. Esc gives
/// Escape and sets the shared `lastKey` to 1; `closing` is asked after every
/// event, so a window closing under the wait ends it.
KeyWaitResult waitForKey(const std::function<bool()> &closing);

/// Centres a window across the screen with its middle at 42.5 % of the
/// screen's height.
void centreForm(QWidget *window);

/// The position centreForm gives a window of that size on that screen.
QPoint centredPosition(QSize window, QSize screen);

/// Lets only the characters `filter` passes be typed into a box; pasting
/// goes through the same filter character by character, and text pasted from
/// the context menu or dropped is refused unless every character passes.
using CharFilter = std::function<QChar(const QString &boxText, QChar key)>;
void installKeyFilter(QLineEdit *box, CharFilter filter);

} // namespace kelvara
