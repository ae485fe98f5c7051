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

enum class KeyWaitResult { Continue, Escape, Closing };

/// Waits until a key is pressed or a mouse button clicked in any window of the
/// program. The input is swallowed, so it reaches no control. Esc gives
/// Escape; `closing` is polled so a closing program ends the wait.
KeyWaitResult waitForKey(const std::function<bool()> &closing);

/// Centres a window across the screen with its middle at 42.5 % of the
/// screen's height.
void centreForm(QWidget *window);

/// The position centreForm gives a window of that size on that screen.
QPoint centredPosition(QSize window, QSize screen);

/// Lets only the characters `filter` passes be typed into a box; pasting
/// goes through the same filter character by character.
using CharFilter = std::function<QChar(const QString &boxText, QChar key)>;
void installKeyFilter(QLineEdit *box, CharFilter filter);

} // namespace kelvara
