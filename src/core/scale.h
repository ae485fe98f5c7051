// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The measurement scale laid over the 31 slots, and the specification limits.

namespace kelvara {

struct Scale {
    float center = 16.0f;     // measurement value of slot 16
    float halfWidth = 15.0f;  // distance from slot 16 to slot 1 or 31
    float usl = 31.0f;
    float lsl = 1.0f;
    bool showSpecLimits = false;

    float low() const;            // value of slot 1
    float high() const;           // value of slot 31
    double valuePerSlot() const;  // 2 x half-width / 30

    /// Measurement value of a slot position; position 0 maps to 0.
    float scaleValue(float slot) const;

    /// Measurement value of a whole-slot reading given in slot units (the
    /// grand mean's mapping: no special case for 0).
    float valueOf(double slot) const;
};

} // namespace kelvara
