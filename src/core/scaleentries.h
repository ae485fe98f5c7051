// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The rules of the scale dialog's four entries: which check fails first, what
// it says and which boxes it sets back; the decimal places the typed texts
// ask for; and how an applied value is shown again in a six-character box.

#include "core/scale.h"

#include <QLocale>
#include <QString>

namespace kelvara {

/// The four box texts as typed.
struct ScaleTexts {
    QString center;
    QString halfWidth;
    QString lsl;
    QString usl;
};

/// The entries converted to 32-bit floats, and the board's ends they give.
struct ScaleEntries {
    float halfWidth = 0.0f;
    float center = 0.0f;
    float lsl = 0.0f;
    float usl = 0.0f;
    float low = 0.0f;   // centre - half-width
    float high = 0.0f;  // centre + half-width
};

/// The outcome of checking the entries.
struct ScaleCheck {
    bool passed = false;
    QString message;            // empty when passed
    bool exclamation = false;   // the warning icon instead of the information icon
    bool resetHalfWidth = false;
    bool resetLimits = false;   // both the LSL and the USL box
    ScaleEntries entries;       // meaningful once all four boxes hold numbers
};

/// The longest entry a box takes.
inline constexpr int scaleEntryLength = 6;

/// Checks the entries in order and stops at the first failure. A box whose
/// text is not a number counts as empty. The limits are compared with each
/// other and with the board only while they are shown.
ScaleCheck checkScaleEntries(const ScaleTexts &texts, bool showSpecLimits,
                             const QLocale &locale = QLocale());

/// The decimal places the texts ask for: per text, its length minus the
/// 1-based position of its first separator (0 without one, so "100" counts 3);
/// the largest of the four.
int decimalPlacesOf(const ScaleTexts &texts, const QString &decimalSeparator);

/// A value as a box shows it: the plain conversion when it fits the box, else
/// the shortest fixed-point text of at most six characters that reads back as
/// the same value (".12345" for 0.12345, ".00001" for 1e-05).
QString entryText(float value, const QLocale &locale = QLocale());

} // namespace kelvara
