// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/scaleentries.h"

#include "core/numberformat.h"
#include "core/numeric.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace kelvara {
namespace {

// A box counts as empty unless its whole text is a number a 32-bit float holds.
std::optional<float> entryValue(const QString &text, const QLocale &locale)
{
    bool ok = false;
    const float value = toSingle(readNumber(text, &ok, locale));
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

ScaleCheck failure(const QString &message)
{
    ScaleCheck check;
    check.message = message;
    return check;
}

// The box takes six characters and only digits, '-' and the separator, so
// a shown value must fit that and read back unchanged.
bool fitsBox(const QString &text, float value, const QLocale &locale)
{
    const std::optional<float> readBack = entryValue(text, locale);
    return text.size() <= scaleEntryLength && readBack && *readBack == value
           && !text.contains(locale.exponential(), Qt::CaseInsensitive);
}

QString fixedPoint(float value, int decimals, const QLocale &locale)
{
    QLocale plain(locale);
    plain.setNumberOptions(QLocale::OmitGroupSeparator);
    QString text = plain.toString(double(value), 'f', decimals);
    // "0.12345" is one character too long for the box; ".12345" reads the same.
    const QString zeroPoint = QStringLiteral("0") + decimalSeparatorOf(locale);
    const int signLength = value < 0 ? int(locale.negativeSign().size()) : 0;
    if (text.size() > scaleEntryLength && text.mid(signLength).startsWith(zeroPoint))
        text.remove(signLength, 1);
    return text;
}

} // namespace

ScaleCheck checkScaleEntries(const ScaleTexts &texts, bool showSpecLimits, const QLocale &locale)
{
    const std::optional<float> center = entryValue(texts.center, locale);
    if (!center)
        return failure(QStringLiteral("Please enter a valid value for Scale Center."));
    const std::optional<float> halfWidth = entryValue(texts.halfWidth, locale);
    if (!halfWidth)
        return failure(QStringLiteral("Please enter a valid value for Scale Half-Width."));
    const std::optional<float> lsl = entryValue(texts.lsl, locale);
    if (!lsl)
        return failure(QStringLiteral("Please enter a valid value for Lower Specification Limit (LSL)."));
    const std::optional<float> usl = entryValue(texts.usl, locale);
    if (!usl)
        return failure(QStringLiteral("Please enter a valid value for Upper Specification Limit (USL)."));

    Scale board;
    board.center = *center;
    board.halfWidth = *halfWidth;
    ScaleCheck check;
    check.entries = {*halfWidth, *center, *lsl, *usl, board.low(), board.high()};

    if (!(*halfWidth > 0.0f)) {
        check.message = QStringLiteral("Scale Half-Width must be a Positive Non-zero number.");
        check.resetHalfWidth = true;
        return check;
    }
    if (!showSpecLimits) {
        check.passed = true;
        return check;
    }
    if (*lsl > *usl) {
        check.message = QStringLiteral("LSL cannot be greater than USL.");
        check.resetLimits = true;
        return check;
    }
    const ScaleEntries &e = check.entries;
    const auto onBoard = [&e](float limit) { return e.low <= limit && limit <= e.high; };
    if (onBoard(*lsl) && onBoard(*usl)) {
        check.passed = true;
        return check;
    }
    check.message = QStringLiteral("Spec Limits are set outside the Quincunx Board.");
    check.exclamation = true;
    return check;
}

int decimalPlacesOf(const ScaleTexts &texts, const QString &decimalSeparator)
{
    int places = 0;
    for (const QString *text : {&texts.halfWidth, &texts.center, &texts.lsl, &texts.usl}) {
        const int separatorPosition = int(text->indexOf(decimalSeparator)) + 1; // 0 when absent
        places = std::max(places, int(text->size()) - separatorPosition);
    }
    return places;
}

QString entryText(float value, const QLocale &locale)
{
    const QString plain = plainNumber(value, locale);
    if (fitsBox(plain, value, locale))
        return plain;
    for (int decimals = 0; decimals < scaleEntryLength; ++decimals) {
        const QString text = fixedPoint(value, decimals, locale);
        if (fitsBox(text, value, locale))
            return text;
    }
    return plain;
}

} // namespace kelvara
