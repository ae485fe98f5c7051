// SPDX-License-Identifier: GPL-3.0-or-later
#include "reports/frozencolumns.h"

#include <QEvent>
#include <QHeaderView>
#include <QScrollBar>

namespace kelvara {

FrozenColumns::FrozenColumns(QTableView *table, int count)
    : QTableView(table), m_table(table), m_tableEvents(table), m_viewportEvents(table->viewport()),
      m_count(count)
{
    setObjectName(QStringLiteral("frozenColumns"));
    setModel(table->model());
    setFocusPolicy(Qt::NoFocus);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(table->selectionMode());
    verticalHeader()->hide();
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollMode(table->verticalScrollMode());
    setFrameShape(QFrame::NoFrame);
    setStyleSheet(QStringLiteral("QTableView { border-left: %1px solid palette(dark); }").arg(borderWidth));
    connect(m_table->verticalScrollBar(), &QScrollBar::valueChanged, verticalScrollBar(), &QScrollBar::setValue);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, m_table->verticalScrollBar(), &QScrollBar::setValue);
    m_table->installEventFilter(this);
    m_table->viewport()->installEventFilter(this);
    hide();
}

bool FrozenColumns::eventFilter(QObject *watched, QEvent *event)
{
    // The table's cells change only while it is hidden (a Run goes on behind
    // the view), so the frozen copy takes its sizes when it shows.
    if (event->type() == QEvent::Show && watched == m_tableEvents)
        follow();
    else if (event->type() == QEvent::Resize && watched == m_viewportEvents)
        place();
    return QTableView::eventFilter(watched, event);
}

void FrozenColumns::follow()
{
    // Under a style sheet of their own the copy and its header no longer
    // follow the application's font, so they take the table's, zoomed or not.
    setFont(m_table->font());
    horizontalHeader()->setFont(m_table->horizontalHeader()->font());
    const int columns = m_table->model()->columnCount();
    for (int column = 0; column < columns; ++column) {
        setColumnHidden(column, column < columns - m_count);
        setColumnWidth(column, m_table->columnWidth(column) - (column == columns - 1 ? borderWidth : 0));
    }
    for (int row = 0; row < m_table->model()->rowCount(); ++row)
        setRowHeight(row, m_table->rowHeight(row));
    horizontalHeader()->setFixedHeight(m_table->horizontalHeader()->height());
    place();
}

void FrozenColumns::place()
{
    const QRect viewport = m_table->viewport()->geometry();
    int width = borderWidth;
    for (int column = model()->columnCount() - m_count; column < model()->columnCount(); ++column)
        width += columnWidth(column);
    // Needed only while the table scrolls sideways, that is while some columns are out of sight.
    const bool scrolls = m_table->horizontalScrollBar()->maximum() > 0;
    const int header = m_table->horizontalHeader()->isVisible() ? m_table->horizontalHeader()->height() : 0;
    setGeometry(viewport.right() + 1 - width, viewport.top() - header, width, viewport.height() + header);
    verticalScrollBar()->setValue(m_table->verticalScrollBar()->value());
    setVisible(scrolls);
}

} // namespace kelvara
