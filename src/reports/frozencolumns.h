// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Keeps a table's last columns in sight while the columns before them scroll:
// a view of the same cells laid over the table's right edge.

#include <QTableView>

namespace kelvara {

class FrozenColumns : public QTableView {
    Q_OBJECT
public:
    /// Freezes the last `count` columns of `table`, whose child it becomes.
    FrozenColumns(QTableView *table, int count);

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
