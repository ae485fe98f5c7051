// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Keeps a table's last columns in sight while the columns before them scroll:
// a view of the same cells laid over the table's right edge. Its border takes
// the last column's extra width, so that with the table scrolled to its end
// the copy lies exactly over the table's own frozen columns and every column
// before them can be scrolled out from under it.

#include <QTableView>

namespace kelvara {

class FrozenColumns : public QTableView {
    Q_OBJECT
public:
    /// Freezes the last `count` columns of `table`, whose child it becomes.
    /// The table's last column is to be `borderWidth` wider than its text needs.
    FrozenColumns(QTableView *table, int count);

    static constexpr int borderWidth = 2;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void follow();
    void place();

    QTableView *m_table;
    // The table and its viewport as event sources, compared by address only:
    // the table sends events while it is being destroyed, when none of its
    // own members may be called any more.
    const QObject *m_tableEvents;
    const QObject *m_viewportEvents;
    int m_count;
};

} // namespace kelvara
