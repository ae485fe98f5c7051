// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/displayformats.h"

namespace kelvara {

DisplayFormats DisplayFormats::build(int decimals)
{
    QString reading = QStringLiteral("00.00");
    for (int i = 1; i <= decimals - 2; ++i)
        reading += u'0';
    return {reading, reading + u'#', reading + QStringLiteral("##")};
}

} // namespace kelvara
