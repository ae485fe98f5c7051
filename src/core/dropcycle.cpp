// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/dropcycle.h"

#include "core/numberformat.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace kelvara {

const QString DropCycle::boardFullMessage =
    QStringLiteral(" The Quincunx Board is Full. \n Please click 'Reset' button and Restart.");
const QString DropCycle::baffleFullMessage =
    QStringLiteral(" The Baffle is Full. \n Please Empty and Continue.");

DropCycle::DropCycle(RunState &run, SharedState &shared, TextTable &slotTable, TextTable &scaled,
                     DropCycleHost &host, RandomSource &random)
    : m_run(run), m_shared(shared), m_slots(slotTable), m_scaled(scaled), m_host(host), m_random(random)
{
}

int16 DropCycle::readInt(const QString &text) const
{
    return toInt16(readNumber(text, nullptr, m_locale));
}

void DropCycle::run()
{
    if (m_run.isRunning)
        return;
    m_host.setControlsEnabled(false);
    m_run.pauseRequested = false;
    m_run.isRunning = true;
    computeCapacities();

    const int count = readInt(m_host.dropCountText());
    for (int s = 1; s <= count; ++s) {
        if (m_run.pauseRequested || capacityExceeded())
            break;
        trackProcessChanges();
        if (dropSubgroup() == Outcome::Aborted)
            break;
        m_host.showSubgroupStatus(m_shared.subgroupCount);
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
    const double h = m_host.ballHeight();
    const double baffleY = m_host.baffleY();
    m_run.slotCapacity = toInt16(std::floor((baffleY - 3.0) / h) - 1.0);
    m_run.baffleCapacity = toInt16(std::floor((double(m_run.pinsBottomY) - baffleY) / h));
}

bool DropCycle::capacityExceeded()
{
    for (int i = 1; i <= slotTotal; ++i) {
        if (m_run.slotCount[i] + m_run.baffleCount[i] > m_run.slotCapacity) {
            m_host.showInformation(boardFullMessage);
            return true;
        }
        if (m_run.baffleCount[i] >= m_run.baffleCapacity) {
            m_host.showInformation(baffleFullMessage);
            return true;
        }
    }
    return false;
}

void DropCycle::trackProcessChanges()
{
    const int16 rows = readInt(m_host.rowsText());
    if (m_shared.subgroupCount == 0) {
        m_run.startFunnel = toInt16(m_run.funnelPosition);
        m_run.startRows = rows;
    } else if (rows != m_run.startRows || m_run.funnelPosition != float(m_run.startFunnel)) {
        if (m_run.processUnchanged)
            m_run.processChangedAfter = m_shared.subgroupCount;
        m_run.processUnchanged = false;
    }
}

DropCycle::Outcome DropCycle::dropSubgroup()
{
    const int row = m_slots.rowCount();
    for (TextTable *table : {&m_slots, &m_scaled}) {
        table->setRowCount(row + 1);
        table->setText(row, 0, QString::number(row));
    }

    const int n = std::clamp<int>(readInt(m_host.subgroupSizeText()), 1, ControlFactors::maxSubgroupSize);
    int sum = 0, hi = 0, lo = 0;
    float scaledSum = 0.0f;
    for (int i = 1; i <= n; ++i) {
        m_host.clearTraceLines();
        if (!m_host.letEventsRun())
            return Outcome::Aborted;
        const bool animated = m_host.animationOn();
        if (animated)
            m_host.setTraceColour(static_cast<int>(std::floor(double(m_random.nextUniform()) * 15.0)));
        if (!m_host.dropBall(animated))
            return Outcome::Aborted;
        m_run.ballOrigins.push_back({toInt16(m_run.pinLevels - 1.0), m_run.ballStart});

        const float position = m_run.ballPosition;
        m_slots.setText(row, i, plainNumber(position, m_locale));
        const QString reading = formatNumber(m_shared.scale.scaleValue(position), m_shared.formats.reading, m_locale);
        m_scaled.setText(row, i, reading);
        scaledSum = toSingle(double(scaledSum) + double(readSingle(reading, m_locale)));

        sum = toInt16(double(sum) + double(position));
        const int whole = toInt16(position);
        if (i == 1) {
            hi = lo = whole;
        } else {
            hi = std::max(hi, whole);
            lo = std::min(lo, whole);
        }
    }
    closeRow(row, n, sum, hi, lo, scaledSum);
    return Outcome::Completed;
}

void DropCycle::closeRow(int row, int n, int sum, int hi, int lo, float scaledSum)
{
    m_slots.setText(row, n + 1, plainNumber(toSingle(double(sum) / double(n)), m_locale));
    m_scaled.setText(row, n + 1, formatNumber(toSingle(double(scaledSum) / double(n)), m_shared.formats.mean, m_locale));
    m_scaled.rowCompleted(row);

    int range = hi - lo;
    if (row != 1 && m_host.subgroupSizeText() == QStringLiteral("1")) {
        const int previous = readInt(m_slots.text(row - 1, n + 1));
        range = std::abs(lo - previous);
    }
    m_slots.setText(row, n + 2, QString::number(range));
    m_scaled.setText(row, n + 2, scaledRange(row));
    ++m_shared.subgroupCount;

    const int k = readInt(m_host.controlLimitText());
    if (m_slots.rowCount() == k + 1)
        m_host.showControlLimits(fixControlLimits(m_run, m_shared, m_slots, n, k, m_locale));
    m_run.grandMean = m_run.xBarBar;
    m_run.meanRange = m_run.rBar;
    if (m_shared.subgroupCount > k)
        m_host.showCapability();

    m_shared.chartFirstSubgroup = std::max<int16>(1, m_shared.subgroupCount - 10);
    m_host.drawCharts(m_shared.chartFirstSubgroup);
}

QString DropCycle::scaledRange(int row) const
{
    const int n = std::clamp<int>(readInt(m_host.subgroupSizeText()), 1, ControlFactors::maxSubgroupSize);
    auto value = [&](int r, int c) { return readSingle(m_scaled.text(r, c), m_locale); };
    float range = 0.0f;
    if (n == 1 && row != 1) {
        range = std::abs(value(row - 1, 1) - value(row, 1));
    } else {
        float high = value(row, 1), low = high;
        for (int c = 2; c <= n; ++c) {
            high = std::max(high, value(row, c));
            low = std::min(low, value(row, c));
        }
        range = toSingle(double(high) - double(low));
    }
    return formatNumber(range, m_shared.formats.range, m_locale);
}

} // namespace kelvara
