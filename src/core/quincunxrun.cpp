// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/quincunxrun.h"

#include "core/samplespread.h"

#include <algorithm>

namespace kelvara {

const QString QuincunxRun::generatorFailedMessage = QStringLiteral("random number generator failed");

QuincunxRun::QuincunxRun(const SharedState &shared, RandomSource &random)
    : m_shared(shared), m_random(random), m_cycle(m_state, shared, m_record, *this, random)
{
    m_state.processUnchanged = true;
    m_state.pinsBottomY = geometry::pinsBottomY;
    m_state.ballSize = float(geometry::ballHeight);
    m_state.funnelPosition = 16.0f;
    m_state.pinLevels = toInt16(m_settings.rows + 1.0);
    m_record.clear(ControlFactors::indexFor(m_settings.subgroupSize));
}

void QuincunxRun::setSettings(const RunSettings &settings)
{
    m_settings = settings;
    // The tables are laid out again for a new subgroup size only before the first subgroup.
    if (m_record.rowCount() == 0)
        m_record.clear(ControlFactors::indexFor(settings.subgroupSize));
}

void QuincunxRun::reset()
{
    m_record.clear(ControlFactors::indexFor(m_settings.subgroupSize));
    m_state.clearBoard();
    m_state.pinLevels = toInt16(m_settings.rows + 1.0);
    m_state.baffleBallCount = 0;
    m_state.subgroupCount = 0;
    m_state.processUnchanged = true;
    m_state.processChangedAfter = 0;
    m_state.isRunning = false;
    m_signals.clear();
    m_stop = RunStop::None;
    m_listener->runReset();
}

void QuincunxRun::run()
{
    m_cycle.run();
}

bool QuincunxRun::dropBall(bool animated)
{
    if (animated && !m_listener->letEventsRun())
        return false;
    PathStepper path(m_state.funnelPosition, m_state.pinLevels);
    m_state.ballStart = m_state.ballPosition = path.start();
    const bool landed = animated ? walkAnimated(path) : path.walk(m_random);
    m_state.ballPosition = path.position();
    if (!landed) {
        if (!animated)
            stopped(RunStop::GeneratorFailed);
        return false;
    }
    land(path, animated);
    return !animated || m_listener->letEventsRun();
}

// Row by row, telling the listener before each decision and after each
// step, so that it can draw and wait in between.
bool QuincunxRun::walkAnimated(PathStepper &path)
{
    if (!m_listener->ballStarted(path))
        return false;
    while (!path.finished()) {
        m_listener->ballAtPin(path);
        if (!path.step(m_random)) {
            stopped(RunStop::GeneratorFailed);
            return false;
        }
        if (!m_listener->letEventsRun())
            return false;
        m_state.ballPosition = path.position();
        if (!m_listener->ballStepped(path))
            return false;
    }
    return true;
}

void QuincunxRun::land(const PathStepper &path, bool animated)
{
    BallLanding landing;
    landing.slot = landingSlot(m_state.ballPosition);
    landing.onBaffle = m_settings.baffle;
    landing.x = path.x();
    const double h = m_settings.ballHeight;
    if (landing.onBaffle)
        landing.baffleTop = addToBaffle(m_state, landing.slot, h, geometry::baffleY(h));
    else
        landing.pile = addToPile(m_state, landing.slot, h);
    m_listener->ballLanded(landing, animated);
}

float QuincunxRun::lowestFunnel() const
{
    return float(m_state.pinLevels / 2 + 1);
}

float QuincunxRun::highestFunnel() const
{
    const int half = m_state.pinLevels / 2;
    return float(slotTotal - (m_state.pinLevels % 2 != 0 ? half : half - 1));
}

bool QuincunxRun::moveFunnel(int direction)
{
    const float position = m_state.funnelPosition;
    if (direction < 0 ? !(position > lowestFunnel()) : !(position < highestFunnel()))
        return false;
    m_state.funnelPosition = position + (direction < 0 ? -1.0f : 1.0f);
    m_listener->funnelMoved();
    return true;
}

void QuincunxRun::placeFunnel(float position)
{
    m_state.funnelPosition = std::clamp(position, lowestFunnel(), highestFunnel());
    m_listener->funnelMoved();
}

QString QuincunxRun::messageFor(RunStop why)
{
    switch (why) {
    case RunStop::BoardFull:
        return DropCycle::boardFullMessage;
    case RunStop::BaffleFull:
        return DropCycle::baffleFullMessage;
    case RunStop::GeneratorFailed:
        return generatorFailedMessage;
    default:
        return {};
    }
}

void QuincunxRun::stopped(RunStop why)
{
    m_stop = why;
    m_listener->stopped(why, messageFor(why));
}

void QuincunxRun::setControlsEnabled(bool enabled)
{
    if (enabled) {
        m_listener->runEnded();
        return;
    }
    m_stop = RunStop::None;
    m_listener->runStarted();
}

bool QuincunxRun::letEventsRun()
{
    if (m_listener->letEventsRun())
        return true;
    m_stop = RunStop::Aborted;
    return false;
}

void QuincunxRun::clearTraceLines() { m_listener->traceLinesCleared(); }
void QuincunxRun::setTraceColour(int paletteIndex) { m_listener->traceColourChosen(paletteIndex); }

void QuincunxRun::rowBegun(int row) { m_listener->rowBegun(row); }

void QuincunxRun::ballRecorded(int row, int ball)
{
    m_listener->ballRecorded(row, ball);
    if (m_funnelRule)
        m_funnelRule->afterLanding(*this);
}

void QuincunxRun::rowClosed(int row) { m_listener->rowClosed(row); }
void QuincunxRun::showSubgroupStatus(int subgroup) { m_listener->subgroupCounted(subgroup); }

void QuincunxRun::showControlLimits(const LimitTexts &texts)
{
    m_limitTexts = texts;
    m_listener->limitTextsChanged(texts);
}

void QuincunxRun::clearLimitTexts()
{
    m_limitTexts = {};
    m_listener->limitTextsChanged(m_limitTexts);
}

int QuincunxRun::subgroupSize() const
{
    return ControlFactors::indexFor(m_settings.subgroupSize);
}

bool QuincunxRun::limitsFixed() const
{
    return m_state.subgroupCount >= m_settings.limitCount;
}

ControlLimits QuincunxRun::controlLimits() const
{
    return limitsFor(m_state.xBarBar, m_state.rBar, subgroupSize(), m_shared.factors);
}

void QuincunxRun::showCapability() { updateCapability(); }

void QuincunxRun::updateCapability()
{
    CapabilityInput input;
    input.subgroupCount = m_state.subgroupCount;
    input.k = limitCount();
    input.n = subgroupSize();
    input.showSpecLimits = m_shared.scale.showSpecLimits;
    input.processUnchanged = m_state.processUnchanged;
    input.xBarBar = m_state.xBarBar;
    input.rBar = m_state.rBar;
    input.d2 = m_shared.factors.d2[input.n];
    input.usl = m_shared.scale.usl;
    input.lsl = m_shared.scale.lsl;
    // Reading every value back costs time in a long Run: only when it shows.
    if (input.showSpecLimits && input.subgroupCount >= input.k)
        input.readings = readingSpread(m_record, input.subgroupCount);
    CapabilityView view = capabilityView(input);
    if (m_capabilityTold && view == m_capability)
        return;
    m_capability = std::move(view);
    m_capabilityTold = true;
    m_listener->capabilityChanged(m_capability);
}

// Each subgroup is judged once, as it closes, against the limits fixed from
// the first k; a point's verdict never changes afterwards.
void QuincunxRun::followSignals()
{
    if (!limitsFixed())
        return;
    const ControlLimits limits = controlLimits();
    const int completed = std::min<int>(m_state.subgroupCount, m_record.rowCount());
    m_signals.follow(m_record, subgroupSize(), completed, {m_state.xBarBar, limits.uclX, limits.lclX},
                     {m_state.rBar, limits.uclR, limits.lclR});
}

int QuincunxRun::firstSignalAfterChange() const
{
    const int changedAfter = m_state.processChangedAfter;
    return changedAfter > 0 ? m_signals.firstSignalAfter(changedAfter) : 0;
}

void QuincunxRun::drawCharts(int firstSubgroup)
{
    followSignals();
    m_listener->chartsDue(firstSubgroup);
}

} // namespace kelvara
