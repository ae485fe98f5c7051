// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/texttable.h"

namespace kelvara {

void MemoryTable::setRowCount(int rows)
{
    rows = std::max(rows, 0);
    while (rowCount() > rows)
        m_rows.removeLast();
    while (rowCount() < rows)
        m_rows.append(QStringList(m_columns));
}

void MemoryTable::setColumnCount(int columns)
{
    m_columns = std::max(columns, 0);
    for (QStringList &row : m_rows) {
        while (row.size() > m_columns)
            row.removeLast();
        while (row.size() < m_columns)
            row.append(QString());
    }
}

QString MemoryTable::text(int row, int column) const
{
    if (row < 0 || row >= rowCount() || column < 0 || column >= m_columns)
        return {};
    return m_rows[row][column];
}

void MemoryTable::setText(int row, int column, const QString &text)
{
    if (row < 0 || row >= rowCount() || column < 0 || column >= m_columns)
        return;
    m_rows[row][column] = text;
}

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
