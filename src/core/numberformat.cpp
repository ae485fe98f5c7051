// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/numberformat.h"

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace kelvara {
namespace {

struct Picture {
    QString prefix;     // literal characters before the first digit placeholder
    int minIntDigits = 0;
    int minFracDigits = 0;
    int maxFracDigits = 0;
};

Picture parsePicture(const QString &format)
{
    Picture picture;
    bool seenDigit = false;
    bool inFraction = false;
    for (const QChar c : format) {
        if (c == u'.') {
            inFraction = true;
        } else if (c == u'0' || c == u'#') {
            seenDigit = true;
            if (inFraction) {
                ++picture.maxFracDigits;
                if (c == u'0')
                    picture.minFracDigits = picture.maxFracDigits;
            } else if (c == u'0') {
                ++picture.minIntDigits;
            }
        } else if (!seenDigit) {
            picture.prefix += c;
        }
    }
    return picture;
}

// The decimal digits of |value| as the number's 15 significant digits show
// it, rounded half away from zero to `decimals` places: {integer, fraction}.
std::pair<std::string, std::string> roundedDigits(double value, int decimals)
{
    char buffer[64];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, std::abs(value),
                                       std::chars_format::scientific, 14);
    const std::string text(buffer, written.ptr);
    const auto ePos = text.find('e');
    std::string mantissa = text.substr(0, 1) + text.substr(2, ePos - 2); // 15 digits
    const int exponent = std::atoi(text.c_str() + ePos + 1);

    // Place the digits on a fixed grid: digits[0 .. intLen) integer part.
    int intLen = exponent + 1;
    if (intLen <= 0) {
        mantissa.insert(0, static_cast<std::size_t>(1 - intLen), '0');
        intLen = 1;
    }
    const std::size_t wanted = static_cast<std::size_t>(intLen + decimals + 1);
    if (mantissa.size() < wanted)
        mantissa.append(wanted - mantissa.size(), '0');

    const bool roundUp = mantissa[static_cast<std::size_t>(intLen + decimals)] >= '5';
    mantissa.resize(static_cast<std::size_t>(intLen + decimals));
    if (roundUp) {
        int i = static_cast<int>(mantissa.size()) - 1;
        while (i >= 0 && mantissa[static_cast<std::size_t>(i)] == '9')
            mantissa[static_cast<std::size_t>(i--)] = '0';
        if (i >= 0) {
            ++mantissa[static_cast<std::size_t>(i)];
        } else {
            mantissa.insert(0, 1, '1');
            ++intLen;
        }
    }
    std::string integer = mantissa.substr(0, static_cast<std::size_t>(intLen));
    const auto firstNonZero = integer.find_first_not_of('0');
    integer = firstNonZero == std::string::npos ? std::string() : integer.substr(firstNonZero);
    return {integer, mantissa.substr(static_cast<std::size_t>(intLen))};
}

// Some locales wrap their minus sign in direction marks (Arabic U+061C, Persian
// and Hebrew U+200E); QLocale writes them but does not read them back, so a
// negative reading would silently count as 0.
QString withoutDirectionMarks(const QString &text)
{
    QString stripped = text;
    stripped.removeIf([](QChar c) { return c.category() == QChar::Other_Format; });
    return stripped;
}

// The table cells and boxes hold plain decimals ("-03.50", "16", "15,5"):
// read those directly, since the locale's full parser costs more than
// everything else a redraw of the charts does. Anything else goes to it.
bool readPlainDecimal(const QString &text, const QString &separator, double &value)
{
    if (text.isEmpty() || text.size() > 40 || separator.size() != 1)
        return false;
    char buffer[48];
    int length = 0;
    bool digits = false, point = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.unicode() >= '0' && c.unicode() <= '9') {
            digits = true;
            buffer[length++] = char(c.unicode());
        } else if (c == separator[0] && !point) {
            point = true;
            buffer[length++] = '.';
        } else if (c == u'-' && i == 0) {
            buffer[length++] = '-';
        } else {
            return false;
        }
    }
    if (!digits)
        return false;
    const auto result = std::from_chars(buffer, buffer + length, value);
    return result.ec == std::errc() && result.ptr == buffer + length;
}

QLocale plainLocale(const QLocale &locale)
{
    QLocale copy(locale);
    copy.setNumberOptions(QLocale::OmitGroupSeparator | QLocale::RejectGroupSeparator);
    return copy;
}

} // namespace

QString formatNumber(double value, const QString &format, const QLocale &locale)
{
    if (!std::isfinite(value))
        return QStringLiteral("NA");
    const Picture picture = parsePicture(format);
    auto [integer, fraction] = roundedDigits(value, picture.maxFracDigits);

    while (static_cast<int>(fraction.size()) > picture.minFracDigits && fraction.back() == '0')
        fraction.pop_back();
    if (static_cast<int>(integer.size()) < picture.minIntDigits)
        integer.insert(0, static_cast<std::size_t>(picture.minIntDigits) - integer.size(), '0');

    const bool isZero = integer.find_first_not_of('0') == std::string::npos
                        && fraction.find_first_not_of('0') == std::string::npos;
    QString result = picture.prefix;
    if (value < 0 && !isZero)
        result += locale.negativeSign();
    result += QString::fromStdString(integer);
    if (!fraction.empty())
        result += decimalSeparatorOf(locale) + QString::fromStdString(fraction);
    return result;
}

QString plainNumber(float value, const QLocale &locale)
{
    return plainLocale(locale).toString(static_cast<double>(value), 'g', 7);
}

QString printedNumber(float value, const QLocale &locale)
{
    QString digits = plainNumber(value, locale);
    const QString zeroPoint = locale.zeroDigit() + decimalSeparatorOf(locale);
    const bool negative = value < 0;
    if (negative)
        digits.remove(0, locale.negativeSign().size());
    if (digits.startsWith(zeroPoint))
        digits.remove(0, 1);
    return (negative ? locale.negativeSign() : QStringLiteral(" ")) + digits + u' ';
}

double readNumber(const QString &text, bool *ok, const QLocale &locale)
{
    bool parsed = false;
    const QString trimmed = withoutDirectionMarks(text).trimmed();
    double value = 0;
    if (readPlainDecimal(trimmed, decimalSeparatorOf(locale), value))
        parsed = true;
    else
        value = plainLocale(locale).toDouble(trimmed, &parsed);
    if (ok)
        *ok = parsed && std::isfinite(value);
    return parsed && std::isfinite(value) ? value : 0.0;
}

float readSingle(const QString &text, const QLocale &locale)
{
    return static_cast<float>(readNumber(text, nullptr, locale));
}

QString decimalSeparatorOf(const QLocale &locale)
{
    return locale.decimalPoint();
}

} // namespace kelvara
