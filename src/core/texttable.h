// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A table of text cells, row 0 being the header row: the measurement table
// as the user sees it and the export writes it. The numbers behind it live in
// the run's SubgroupRecord.

#include <QList>
#include <QString>
#include <QStringList>

namespace kelvara {

class TextTable {
public:
    virtual ~TextTable() = default;

    virtual int rowCount() const = 0;
    virtual void setRowCount(int rows) = 0;
    virtual int columnCount() const = 0;
    virtual void setColumnCount(int columns) = 0;
    virtual QString text(int row, int column) const = 0;
    virtual void setText(int row, int column, const QString &text) = 0;
    /// Called when a data row is closed; a shown table makes it taller.
    virtual void rowCompleted(int /*row*/) {}
    /// Called after the columns were laid out for a subgroup size.
    virtual void columnsLaidOut(int /*subgroupSize*/) {}
};

/// Lays a table out for subgroup size n: n + 3 columns and the header row
/// (empty, R1..Rn, "Average", "Range"). The row count stays.
void layOutSubgroupTable(TextTable &table, int subgroupSize);

/// Header row only, laid out for n.
void resetSubgroupTable(TextTable &table, int subgroupSize);

} // namespace kelvara
