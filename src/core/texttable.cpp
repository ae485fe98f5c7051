// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/texttable.h"

#include "core/subgrouprecord.h"

namespace kelvara {

void layOutSubgroupTable(TextTable &table, int subgroupSize)
{
    if (table.rowCount() < 1)
        table.setRowCount(1);
    table.setColumnCount(SubgroupRecord::columnCount(subgroupSize));
    table.setText(0, 0, QString());
    for (int column = 1; column <= subgroupSize; ++column)
        table.setText(0, column, QStringLiteral("R%1").arg(column));
    table.setText(0, SubgroupRecord::averageColumn(subgroupSize), QStringLiteral("Average"));
    table.setText(0, SubgroupRecord::rangeColumn(subgroupSize), QStringLiteral("Range"));
    table.columnsLaidOut(subgroupSize);
}

void resetSubgroupTable(TextTable &table, int subgroupSize)
{
    table.setRowCount(1);
    layOutSubgroupTable(table, subgroupSize);
}

} // namespace kelvara
