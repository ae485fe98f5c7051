// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/keyfilters.h"

namespace kelvara {
namespace {

const QString digits = QStringLiteral("0123456789");
constexpr char16_t backspace = 8;
constexpr char16_t carriageReturn = 13;

// Character codes 37..40 are what the arrow keys' key codes read as characters.
bool isArrowCode(QChar key)
{
    return key.unicode() >= 37 && key.unicode() <= 40;
}

} // namespace

QChar digitKeyFilter(QChar key)
{
    const bool passes = digits.contains(key) || key.unicode() == backspace
                        || key.unicode() == carriageReturn || isArrowCode(key);
    return passes ? key : QChar();
}

QChar numberKeyFilter(const QString &boxText, QChar key, const QString &decimalSeparator)
{
    const bool isSeparator = !decimalSeparator.isEmpty() && key == decimalSeparator.front();
    const bool inSet = digits.contains(key) || key == u'-' || isSeparator
                       || key.unicode() == backspace || key.unicode() == carriageReturn
                       || isArrowCode(key);
    if (!inSet)
        return {};
    if (isSeparator && boxText.contains(decimalSeparator))
        return {};
    return key;
}

QChar dropCountKeyFilter(QChar key)
{
    return digits.contains(key) || key.unicode() == backspace ? key : QChar();
}

} // namespace kelvara
