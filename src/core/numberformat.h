// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Number-to-text conversions the program shows: the display formats of the
// tables and labels ("00.00", "00.00#", "##0.00", " 0", ...), the plain
// conversion of the slot table and the surface's way of printing a number.

#include <QLocale>
#include <QString>

namespace kelvara {

/// Formats value with a picture format: "0" a required digit, "#" an optional
/// one, "." the locale's decimal separator; characters before the first digit
/// (the blank of " 0") are copied as they stand. Rounds half away from zero at
/// the last digit; a value that is not finite shows as "NA".
QString formatNumber(double value, const QString &format, const QLocale &locale = QLocale());

/// The plain conversion of a 32-bit float: up to 7 significant digits, no
/// trailing zeros, the locale's separator (15.33333, 16, 15.5).
QString plainNumber(float value, const QLocale &locale = QLocale());

/// A number as the drawing surface prints it: up to 7 significant digits, no
/// zero before the point between -1 and 1, a leading blank when not negative
/// and one trailing blank.
QString printedNumber(float value, const QLocale &locale = QLocale());

/// Reads a number typed or stored in the locale; false in ok when the text is
/// not a number (an empty text, a lone "-", letters).
double readNumber(const QString &text, bool *ok = nullptr, const QLocale &locale = QLocale());

/// Reads a number and keeps it in 32-bit float storage; 0 when not a number.
float readSingle(const QString &text, const QLocale &locale = QLocale());

/// The locale's decimal separator as a one-character string.
QString decimalSeparatorOf(const QLocale &locale = QLocale());

} // namespace kelvara
