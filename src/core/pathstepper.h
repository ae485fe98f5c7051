// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The board's geometry and the one walk of a ball through the pin rows. The
// instant drop walks it to the end at once; the animated ball takes one step
// at a time and draws in between, so both land alike from the same draws.

#include "core/numeric.h"

#include <optional>

namespace kelvara {

class RandomSource;

/// Where things lie on the board, in board units (x to the right, y up).
namespace geometry {
inline constexpr int pinRows = 21;             // pin rows drawn, whatever the rows setting
inline constexpr double firstRowY = 95.0;      // the top pin row
inline constexpr double rowStepX = 1.25;       // sideways move of a ball at one pin row
inline constexpr double rowStepY = 1.5;        // distance between pin rows
inline constexpr double slotWidth = 2.5;
inline constexpr double firstPinX = 10.0;      // the leftmost pin of an odd row
inline constexpr float floorY = 3.0f;          // the slots' floor
inline constexpr float pinsBottomY = float(firstRowY - pinRows * rowStepY);
inline constexpr double ballHeight = 0.845;    // the ball the board draws
inline constexpr int baffleHeightInBalls = 65; // the baffle line above the floor

/// Height of the baffle line for a ball of height h, kept as a float as the line keeps it.
inline double baffleY(double h) { return double(float(baffleHeightInBalls * h + floorY)); }
} // namespace geometry

/// One ball's way from the funnel to the bottom of the pins.
class PathStepper {
public:
    PathStepper(float funnelPosition, int16 pinLevels);

    /// Slot position where the ball left the funnel: half a slot left of the
    /// funnel when the number of pin levels is even, so the path ends on a whole slot.
    float start() const { return m_start; }
    /// Slot position reached so far.
    float position() const { return m_position; }
    /// Board x of the ball's centre reached so far.
    double x() const { return m_x; }
    /// Pin rows crossed so far.
    int rowsCrossed() const { return m_row; }
    bool finished() const { return m_row >= m_rows; }
    /// The move of the last row crossed: -1 left, +1 right, 0 before the first.
    int lastMove() const { return m_lastMove; }

    /// Crosses one pin row with one fair decision: -1 left, +1 right; nothing
    /// when the generator gave any other decision (the path ends there).
    std::optional<int> step(RandomSource &random);
    /// Crosses every row left; false when the generator failed on the way.
    bool walk(RandomSource &random);

private:
    float m_start;
    float m_position;
    double m_x;
    int m_row = 0;
    int m_rows;
    int m_lastMove = 0;
};

/// Board x of a ball leaving the funnel.
double startX(float funnelPosition);

} // namespace kelvara
