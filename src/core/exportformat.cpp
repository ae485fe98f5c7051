// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/exportformat.h"

#include "core/numberformat.h"
#include "core/subgrouprecord.h"
#include "core/texttable.h"

#include <QStringList>

namespace kelvara {
namespace {

QStringList headerFields(int subgroupSize)
{
    QStringList fields{QStringLiteral("SG No")};
    for (int reading = 1; reading <= subgroupSize; ++reading)
        fields << QStringLiteral("Reading %1").arg(reading);
    fields << QStringLiteral("Average") << QStringLiteral("Range");
    return fields;
}

QStringList subgroupFields(const TextTable &measurementTable, int row, int subgroupSize)
{
    // A plain number, never grouped: "1000", not "1,000".
    QStringList fields{QString::number(row)};
    for (int column = 1; column <= SubgroupRecord::rangeColumn(subgroupSize); ++column)
        fields << measurementTable.text(row, column);
    return fields;
}

} // namespace

QString fieldSeparator(ExportType type, const QLocale &locale)
{
    if (type == ExportType::TabDelimited)
        return QStringLiteral("\t");
    return decimalSeparatorOf(locale) == QStringLiteral(",") ? QStringLiteral(";") : QStringLiteral(",");
}

QByteArray exportFileContents(const TextTable &measurementTable, int subgroupSize,
                              const QString &separator)
{
    const QString lineEnd = QStringLiteral("\r\n");
    QString text = headerFields(subgroupSize).join(separator) + lineEnd;
    for (int row = 1; row < measurementTable.rowCount(); ++row)
        text += subgroupFields(measurementTable, row, subgroupSize).join(separator) + lineEnd;
    return text.toLocal8Bit();
}

} // namespace kelvara
