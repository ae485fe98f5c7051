// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The measurement table the user sees (`grdScaled`): the header row is the
// table widget's horizontal header, data row r is model row r - 1.

#include "core/texttable.h"

class QTableWidget;

namespace kelvara {

class SubgroupGrid : public TextTable {
public:
    explicit SubgroupGrid(QTableWidget *table);

    QTableWidget *widget() const { return m_table; }

    int rowCount() const override;
    void setRowCount(int rows) override;
    int columnCount() const override;
    void setColumnCount(int columns) override;
    QString text(int row, int column) const override;
    void setText(int row, int column, const QString &text) override;
    void rowCompleted(int row) override;
    void columnsLaidOut(int subgroupSize) override;

    /// Makes the header row half as tall again (once, when the window loads).
    void enlargeHeader();

private:
    QTableWidget *m_table;
};

} // namespace kelvara
