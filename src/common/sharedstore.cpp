// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/sharedstore.h"

namespace kelvara {

void SharedStore::restart()
{
    m_state = SharedState::initial();
}

void SharedStore::applyScale(const Scale &scale)
{
    Scale taken = scale;
    taken.showSpecLimits = m_state.scale.showSpecLimits;
    takeScale(taken, true);
}

void SharedStore::applySpecLimitSwitch(const Scale &scale)
{
    // A new centre or half-width leaves the chart bounds of the old scale
    // behind, and they would squash the new run's charts.
    takeScale(scale, scale.center != m_state.scale.center || scale.halfWidth != m_state.scale.halfWidth);
}

void SharedStore::takeScale(const Scale &scale, bool chartsRestart)
{
    ScaleChange change;
    change.scale = true;
    change.newRun = scale.halfWidth != m_state.scale.halfWidth;
    change.chartsRestart = chartsRestart;
    m_state.scale = scale;
    emit scaleChanged(change);
}

void SharedStore::setDecimals(int decimals)
{
    m_state.formats = DisplayFormats::build(decimals);
    emit scaleChanged(ScaleChange{});
}

SharedStore &sharedStore()
{
    static SharedStore store;
    return store;
}

} // namespace kelvara
