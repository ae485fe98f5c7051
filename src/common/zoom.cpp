// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/zoom.h"

#include "common/preferences.h"
#include "common/zoomedwindows.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace kelvara::zoom {
namespace {

// The zoom keys work in every window, whatever has the focus: a text box
// has no use for Ctrl+Plus, Ctrl+Minus or Ctrl+0.
class ZoomKeys : public QObject {
protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
            return false;
        const auto *key = static_cast<QKeyEvent *>(event);
        if (!(key->modifiers() & Qt::ControlModifier))
            return false;
        switch (key->key()) {
        case Qt::Key_Plus:
        case Qt::Key_Equal: zoomIn(); return true;
        case Qt::Key_Minus: zoomOut(); return true;
        case Qt::Key_0: actualSize(); return true;
        default: return false;
        }
    }
};

struct State {
    int percent = smallestPercent;
    QFont baseFont;
    bool keysInstalled = false;
};

State &state()
{
    static State s;
    return s;
}

int stepped(int percent)
{
    const int clamped = std::clamp(percent, smallestPercent, largestPercent);
    return smallestPercent + (clamped - smallestPercent) / stepPercent * stepPercent;
}

// A screen 768 pixels high shows every window whole up to 150 %; a larger
// screen shows more in proportion, all of 200 % from 1024 pixels on.
int screenLimit()
{
    constexpr int percentOnSmallestScreen = 150, smallestScreenSide = 768;
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return largestPercent;
    const int side = std::min(screen->size().width(), screen->size().height());
    return stepped(percentOnSmallestScreen * side / smallestScreenSide);
}

QFont scaled(QFont font, double by)
{
    if (font.pointSizeF() > 0)
        font.setPointSizeF(font.pointSizeF() * by);
    else
        font.setPixelSize(std::max(1, qRound(font.pixelSize() * by)));
    return font;
}

// Widgets that inherit the application's font follow it. Those given a size
// of their own (a bold heading 1.3 times as large) are scaled by the change;
// a picture that sizes its placed labels itself marks them as its own.
void applyFonts(double ratio)
{
    QApplication::setFont(scaled(state().baseFont, factor()));
    // Qt tells the widgets by posted events; they must know before anyone
    // measures text for the new zoom.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::ApplicationFontChange);
    for (QWidget *widget : QApplication::allWidgets()) {
        if (!widget->testAttribute(Qt::WA_SetFont) || widget->property("kelvaraOwnTextSize").toBool())
            continue;
        if (widget->font().resolveMask() & QFont::SizeResolved)
            widget->setFont(scaled(widget->font(), ratio));
    }
}

// Sets the zoom, as far as the screen shows it, without remembering it.
void apply(int percent)
{
    State &s = state();
    const int next = std::min(stepped(percent), screenLimit());
    if (next == s.percent)
        return;
    const double ratio = double(next) / s.percent;
    noteWindowsBefore(s.percent);
    s.percent = next;
    applyFonts(ratio);
    emit notifier().changed(factor());
    placeWindowsAt(next);
}

} // namespace

int percent()
{
    return state().percent;
}

double factor()
{
    return state().percent / 100.0;
}

QFont textFont(double factor)
{
    return scaled(QApplication::font(), factor / zoom::factor());
}

double minimumTextPixels()
{
    return state().percent == smallestPercent ? 0.0 : 10.0 * factor();
}

void restore()
{
    State &s = state();
    if (!s.keysInstalled) {
        s.baseFont = QApplication::font();
        auto *keys = new ZoomKeys;
        keys->setParent(qApp);
        qApp->installEventFilter(keys);
        s.keysInstalled = true;
    }
    // A zoom chosen on a larger screen stays remembered for it.
    apply(preferences::number(preferences::zoomPercent, smallestPercent));
}

void setPercent(int percent)
{
    apply(percent);
    preferences::setNumber(preferences::zoomPercent, state().percent);
}

void zoomIn()
{
    setPercent(percent() + stepPercent);
}

void zoomOut()
{
    setPercent(percent() - stepPercent);
}

void actualSize()
{
    setPercent(smallestPercent);
}

void addMenuItems(QMenu *menu)
{
    QAction *in = menu->addAction(QStringLiteral("Zoom In"), &zoomIn);
    in->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Plus));
    in->setEnabled(percent() < screenLimit());
    QAction *out = menu->addAction(QStringLiteral("Zoom Out"), &zoomOut);
    out->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Minus));
    out->setEnabled(percent() > smallestPercent);
    QAction *actual = menu->addAction(QStringLiteral("Actual Size (%1 %)").arg(percent()), &actualSize);
    actual->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_0));
    actual->setEnabled(percent() != smallestPercent);
}

Notifier &notifier()
{
    static Notifier *instance = new Notifier;
    return *instance;
}

} // namespace kelvara::zoom
