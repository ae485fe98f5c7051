// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The three display formats of measurement values: readings, averages (one
// optional decimal more) and ranges (two optional decimals more).

#include <QString>

namespace kelvara {

struct DisplayFormats {
    QString reading = QStringLiteral("00.00");
    QString mean = QStringLiteral("00.00#");
    QString range = QStringLiteral("00.00##");

    /// Formats with `decimals` required decimals (never fewer than two).
    static DisplayFormats build(int decimals);
};

/// Format of the capability indices and the chart gridline labels.
inline const QString capabilityFormat = QStringLiteral("##0.00");
inline const QString gridlineFormat = QStringLiteral("0.00");

} // namespace kelvara
