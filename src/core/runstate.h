// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The board and run state of a run: where the funnel stands, what
// lies in the slots and on the baffle, the run's control flags and the
// statistics fixed at the k-th subgroup.

#include "core/numeric.h"

#include <array>
#include <compare>
#include <stdexcept>
#include <vector>

namespace kelvara {

inline constexpr int slotTotal = 31;

/// One value for each slot, indexed by the slot's number 1..31; any other
/// number throws, so an off-by-one never reads or writes past the board.
template <class T>
class PerSlot {
public:
    T &operator[](int slot) { return m_values[index(slot)]; }
    const T &operator[](int slot) const { return m_values[index(slot)]; }
    void fill(const T &value) { m_values.fill(value); }
    bool operator==(const PerSlot &) const = default;

private:
    static std::size_t index(int slot)
    {
        if (slot < 1 || slot > slotTotal)
            throw std::out_of_range("slot number outside 1..31");
        return std::size_t(slot - 1);
    }

    std::array<T, slotTotal> m_values{};
};

/// Where a ball was dropped from: the number of pin rows it crossed and the
/// slot position it left the funnel at. Together they fix the chances of
/// every slot it can land in.
struct BallOrigin {
    int16 rows = 0;
    float start = 0.0f;
    auto operator<=>(const BallOrigin &) const = default;
};

struct RunState {
    float funnelPosition = 0.0f;   // slot under the funnel, whole numbers only
    float ballPosition = 0.0f;     // slot position of the ball being dropped
    float ballStart = 0.0f;        // where the ball being dropped left the funnel
    float ballSize = 0.0f;         // ball diameter in board units
    PerSlot<int16> slotCount;   // balls in each slot
    PerSlot<int16> baffleCount; // balls on the baffle above each slot
    PerSlot<float> slotX;       // centre of each slot
    int16 baffleBallCount = 0;
    int16 slotCapacity = 0;
    int16 baffleCapacity = 0;
    int16 pinLevels = 0;           // pin rows + 1
    int16 subgroupCount = 0;       // subgroups dropped since the last reset
    float pinsBottomY = 0.0f;

    bool isRunning = false;
    bool pauseRequested = false;
    bool traceOn = false;
    double stepDelay = 0.0;
    int16 startFunnel = 0;
    int16 startRows = 0;
    bool processUnchanged = false;
    int16 processChangedAfter = 0; // subgroups before the first changed one; 0 while unchanged

    float xBarBar = 0.0f;
    float rBar = 0.0f;

    std::vector<BallOrigin> ballOrigins; // every ball landed this run, in drop order

    /// Clears the slot and baffle counts and the balls' origins, and puts the
    /// funnel back at the centre.
    void clearBoard();
};

} // namespace kelvara
