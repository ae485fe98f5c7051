// SPDX-License-Identifier: GPL-3.0-or-later
#include "reports/subgroupgrid.h"

#include "core/numeric.h"
#include "core/subgrouprecord.h"

#include <QEvent>
#include <QHeaderView>
#include <QTableWidget>

namespace kelvara {

namespace {

// A hidden table still lays itself out again after every row a Run adds,
// and measuring the header's texts is most of that work: the header is only
// there while the table is on screen.
class HeaderWhileShown : public QObject {
public:
    explicit HeaderWhileShown(QTableWidget *table) : QObject(table), m_table(table)
    {
        m_table->horizontalHeader()->setVisible(m_table->isVisible());
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Show || event->type() == QEvent::Hide)
            m_table->horizontalHeader()->setVisible(event->type() == QEvent::Show);
        return false;
    }

private:
    QTableWidget *m_table;
};

} // namespace

SubgroupGrid::SubgroupGrid(QTableWidget *table) : m_table(table)
{
    m_table->installEventFilter(new HeaderWhileShown(m_table));
    m_table->setObjectName(QStringLiteral("grdScaled"));
    m_table->verticalHeader()->hide();
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionMode(QAbstractItemView::NoSelection);
    m_table->setFocusPolicy(Qt::NoFocus);
    m_table->setColumnCount(1);
}

int SubgroupGrid::rowCount() const
{
    return m_table->rowCount() + 1;
}

void SubgroupGrid::setRowCount(int rows)
{
    m_table->setRowCount(std::max(rows - 1, 0));
}

int SubgroupGrid::columnCount() const
{
    return m_table->columnCount();
}

void SubgroupGrid::setColumnCount(int columns)
{
    m_table->setColumnCount(columns);
}

QString SubgroupGrid::text(int row, int column) const
{
    const QTableWidgetItem *item = row == 0 ? m_table->horizontalHeaderItem(column)
                                            : m_table->item(row - 1, column);
    return item ? item->text() : QString();
}

void SubgroupGrid::setText(int row, int column, const QString &text)
{
    if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount())
        return;
    if (row == 0) {
        m_table->setHorizontalHeaderItem(column, new QTableWidgetItem(text));
        return;
    }
    auto *item = new QTableWidgetItem(text);
    item->setTextAlignment(Qt::AlignCenter);
    m_table->setItem(row - 1, column, item);
}

void SubgroupGrid::rowCompleted(int row)
{
    const int modelRow = row - 1;
    m_table->setRowHeight(modelRow, toInt16(m_table->rowHeight(modelRow) * 1.5));
}

void SubgroupGrid::columnsLaidOut(int subgroupSize)
{
    const int width = toInt16(m_table->width() / (1.2 * SubgroupRecord::columnCount(subgroupSize)));
    for (int column = 0; column <= subgroupSize; ++column)
        m_table->setColumnWidth(column, width);
    const int defaultWidth = m_table->horizontalHeader()->defaultSectionSize();
    m_table->setColumnWidth(SubgroupRecord::averageColumn(subgroupSize), defaultWidth);
    m_table->setColumnWidth(SubgroupRecord::rangeColumn(subgroupSize), defaultWidth);
}

void SubgroupGrid::enlargeHeader()
{
    QHeaderView *header = m_table->horizontalHeader();
    header->setFixedHeight(toInt16(header->sizeHint().height() * 1.5));
}

} // namespace kelvara
