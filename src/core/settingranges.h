// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The ranges the spinners step the settings within.

namespace kelvara {

struct SettingRange {
    int minimum;
    int maximum;

    /// Whether a step (+1 or -1) from `value` stays within the range; a
    /// value already outside it may still step back towards it.
    constexpr bool allowsStep(double value, int step) const
    {
        return (step < 0 && value > minimum) || (step > 0 && value < maximum);
    }
};

inline constexpr SettingRange rowsRange{1, 20};
inline constexpr SettingRange subgroupSizeRange{1, 15};
inline constexpr SettingRange controlLimitRange{5, 30};
inline constexpr SettingRange dropCountRange{1, 20};

} // namespace kelvara
