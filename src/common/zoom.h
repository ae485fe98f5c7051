// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The zoom of all of the program's text, for a projector: 100 % to 200 % in
// steps of 25 %, set with Ctrl+Plus, Ctrl+Minus and Ctrl+0 in every window or
// from a context menu, and remembered across restarts. A screen smaller than
// 1024 pixels on its shorter side stops it sooner, where its windows would no
// longer show whole: at 150 % on a 1024x768 screen. Widgets follow the
// application's font; what a window draws itself follows `changed`.

#include <QFont>
#include <QObject>

class QMenu;

namespace kelvara::zoom {

inline constexpr int smallestPercent = 100;
inline constexpr int largestPercent = 200;
inline constexpr int stepPercent = 25;

int percent();
/// The zoom as a factor: 1.0 to 2.0.
double factor();

/// The program's text font `factor` times its normal size, whatever the zoom.
QFont textFont(double factor);

/// The smallest text a picture draws at this zoom: none at 100 %, else 10
/// pixels times the zoom (20 at 200 %).
double minimumTextPixels();

/// At start-up: takes the remembered zoom and starts listening for the zoom
/// keys in every window. At 100 % it changes nothing.
void restore();

/// Sets the zoom, kept within the range, the screen's limit and on a step,
/// and remembers it.
void setPercent(int percent);
void zoomIn();
void zoomOut();
void actualSize();

/// Adds "Zoom In", "Zoom Out" and "Actual Size" to a context menu.
void addMenuItems(QMenu *menu);

/// Tells whoever draws text itself that the zoom changed.
class Notifier : public QObject {
    Q_OBJECT
signals:
    void changed(double factor);
};
Notifier &notifier();

} // namespace kelvara::zoom
