// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/dropcycle.h"


#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace kelvara {

const QString DropCycle::boardFullMessage =
    QStringLiteral(" The Quincunx Board is Full. \n Please click 'Reset' button and Restart.");
const QString DropCycle::baffleFullMessage =
    QStringLiteral(" The Baffle is Full. \n Please Empty and Continue.");

DropCycle::DropCycle(RunState &run, const SharedState &shared, SubgroupRecord &record, DropCycleHost &host,
                     RandomSource &random)
    : m_run(run), m_shared(shared), m_record(record), m_host(host), m_random(random)
{
}

int DropCycle::subgroupSize() const
{
    return ControlFactors::indexFor(m_host.settings().subgroupSize);
}

void DropCycle::run()
{
    if (m_run.isRunning)
        return;
    m_host.setControlsEnabled(false);
    m_run.pauseRequested = false;
    m_run.isRunning = true;
    computeCapacities();

    const int count = m_host.settings().dropCount;
    for (int s = 1; s <= count; ++s) {
        if (m_run.pauseRequested || capacityExceeded())
            break;
        trackProcessChanges();
        if (dropSubgroup() == Outcome::Aborted)
            break;
        m_host.showSubgroupStatus(m_run.subgroupCount);
    }
    finish();
}

void DropCycle::finish()
{
    m_host.setControlsEnabled(true);
    m_run.isRunning = false;
}

void DropCycle::computeCapacities()
{
    const double h = m_host.settings().ballHeight;
    const double baffleY = geometry::baffleY(h);
    m_run.slotCapacity = toInt16(std::floor((baffleY - 3.0) / h) - 1.0);
    m_run.baffleCapacity = toInt16(std::floor((double(m_run.pinsBottomY) - baffleY) / h));
}

bool DropCycle::capacityExceeded()
{
    if (m_host.settings().unlimitedRoom)
        return false;
    for (int i = 1; i <= slotTotal; ++i) {
        if (m_run.slotCount[i] + m_run.baffleCount[i] > m_run.slotCapacity) {
            m_host.stopped(RunStop::BoardFull);
            return true;
        }
        if (m_run.baffleCount[i] >= m_run.baffleCapacity) {
            m_host.stopped(RunStop::BaffleFull);
            return true;
        }
    }
    return false;
}

void DropCycle::trackProcessChanges()
{
    const int16 rows = toInt16(m_host.settings().rows);
    if (m_run.subgroupCount == 0) {
        m_run.startFunnel = toInt16(m_run.funnelPosition);
        m_run.startRows = rows;
    } else if (rows != m_run.startRows || m_run.funnelPosition != float(m_run.startFunnel)) {
        if (m_run.processUnchanged)
            m_run.processChangedAfter = m_run.subgroupCount;
        m_run.processUnchanged = false;
    }
}

DropCycle::Outcome DropCycle::dropSubgroup()
{
    m_record.beginRow();
    const int row = m_record.rowCount();
    m_host.rowBegun(row);

    const int n = subgroupSize();
    for (int i = 1; i <= n; ++i) {
        m_host.clearTraceLines();
        if (!m_host.letEventsRun())
            return Outcome::Aborted;
        const bool animated = m_host.settings().animated;
        if (animated)
            m_host.setTraceColour(static_cast<int>(std::floor(double(m_random.nextUniform()) * 15.0)));
        if (!m_host.dropBall(animated))
            return Outcome::Aborted;
        m_run.ballOrigins.push_back({toInt16(m_run.pinLevels - 1.0), m_run.ballStart});
        const float position = m_run.ballPosition;
        m_record.addBall(position, m_shared.scale.scaleValue(position), m_shared.formats);
        m_host.ballRecorded(row, i);
    }
    closeRow();
    return Outcome::Completed;
}

void DropCycle::closeRow()
{
    m_record.closeRow(m_shared.formats);
    m_host.rowClosed(m_record.rowCount());
    ++m_run.subgroupCount;

    const int n = subgroupSize();
    const int k = m_host.settings().limitCount;
    if (m_record.rowCount() == k)
        m_host.showControlLimits(fixControlLimits(m_run, m_shared, m_record, n, k));
    if (m_run.subgroupCount > k)
        m_host.showCapability();

    // The page that ends with the newest subgroup.
    m_host.drawCharts(std::max(1, m_run.subgroupCount - 10));
}

} // namespace kelvara
