// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one owner of the state the windows share. Everyone reads it; it changes
// only through the operations below, each named for what the user did, and
// tells what changed, so that the board, its process centre and the charts
// follow by listening.

#include "core/sharedstate.h"

#include <QObject>

namespace kelvara {

/// What a change of the scale or of the display formats asks of those who
/// show them; all false for new formats alone.
struct ScaleChange {
    bool scale = false;         // a new scale or new limits: the board is drawn again
    bool newRun = false;        // the half-width changed: the board starts a new run
    bool chartsRestart = false; // the chart bounds start again from the new scale
};

class SharedStore : public QObject {
    Q_OBJECT
public:
    const SharedState &state() const { return m_state; }

    /// Back to the state every start of the program begins from. Nobody is
    /// told: the windows are made afresh after it.
    void restart();
    /// "Apply Scale": the scale takes the centre, half-width and limits of
    /// `scale` (the limits stay shown or hidden); the charts start again from
    /// the new scale's bounds.
    void applyScale(const Scale &scale);
    /// The specification-limit switch: `scale` with its switch becomes the
    /// scale; the charts start again only when the centre or half-width moved.
    void applySpecLimitSwitch(const Scale &scale);
    /// The display formats for a number of decimals.
    void setDecimals(int decimals);

signals:
    void scaleChanged(const kelvara::ScaleChange &change);

private:
    /// Takes the scale and tells what changed.
    void takeScale(const Scale &scale, bool chartsRestart);

    SharedState m_state = SharedState::initial();
};

/// The program's one store of shared state.
SharedStore &sharedStore();

} // namespace kelvara
