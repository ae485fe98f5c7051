// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/texttable.h"

namespace kelvara {

void layOutSubgroupTable(TextTable &table, int subgroupSize)
{
    if (table.rowCount() < 1)
        table.setRowCount(1);
    table.setColumnCount(subgroupSize + 3);
    table.setText(0, 0, QString());
    for (int column = 1; column <= subgroupSize; ++column)
        table.setText(0, column, QStringLiteral("R%1").arg(column));
    table.setText(0, subgroupSize + 1, QStringLiteral("Average"));
    table.setText(0, subgroupSize + 2, QStringLiteral("Range"));
    table.columnsLaidOut(subgroupSize);
}

void resetSubgroupTable(TextTable &table, int subgroupSize)
{
    table.setRowCount(1);
    layOutSubgroupTable(table, subgroupSize);
}

} // namespace kelvara
