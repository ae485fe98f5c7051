// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The run's record: every reading and every subgroup's average and range, as
// 32-bit values rounded exactly as the tables show them, so that what is
// computed from the record equals what was computed from the shown texts.
// It also knows the tables' column layout: the readings in columns 1..n, the
// average in n + 1, the range in n + 2.

#include "core/displayformats.h"
#include "core/numeric.h"

#include <QHash>
#include <QList>
#include <QLocale>
#include <QString>

#include <array>

namespace kelvara {

/// One row of the record: a subgroup, complete or still being dropped.
struct SubgroupRow {
    QList<float> positions;    // where each ball came to rest, in slot positions
    QList<float> readings; // the measurement values of those balls, rounded as shown
    float slotAverage = 0; // the slot positions' average, to the slot table's seven digits
    int16 slotRange = 0;   // the (moving) range of the whole positions
    float average = 0;     // of the shown readings, rounded as shown
    float range = 0;       // of the shown readings, rounded as shown
    bool complete = false;
};

class SubgroupRecord {
public:
    static int averageColumn(int subgroupSize) { return subgroupSize + 1; }
    static int rangeColumn(int subgroupSize) { return subgroupSize + 2; }
    static int columnCount(int subgroupSize) { return subgroupSize + 3; }

    /// Forgets every row; the next rows hold subgroups of this size.
    void clear(int subgroupSize);
    int subgroupSize() const { return m_subgroupSize; }
    /// Rows begun, the one being dropped included.
    int rowCount() const { return int(m_rows.size()); }
    /// Subgroup `row` (1..rowCount()).
    const SubgroupRow &row(int row) const { return m_rows[row - 1]; }

    /// Adds a row as it stands (a run recorded elsewhere).
    void appendRow(const SubgroupRow &row) { m_rows.append(row); }
    void beginRow();
    /// Adds a ball that landed at a slot position with a measurement value.
    void addBall(float slot, double value, const DisplayFormats &formats);
    /// Closes the last row: its averages and, for single readings after the
    /// first, the moving ranges to the row before.
    void closeRow(const DisplayFormats &formats);

    /// A measurement-table value (columns 1..n + 2) of a row.
    float measurement(int row, int column) const;
    /// A slot-table value (columns 1..n + 2) of a row.
    float slotValue(int row, int column) const;

    /// The cell's text in the measurement table (grdScaled) and the slot table
    /// (dataGrid): the subgroup number in column 0, empty for what is not there yet.
    QString measurementText(int row, int column, const DisplayFormats &formats,
                            const QLocale &locale = QLocale()) const;
    QString slotText(int row, int column, const QLocale &locale = QLocale()) const;

private:
    enum Shape { Reading, Mean, Range, Plain, ShapeCount };
    /// The value as a shown text reads back: rounded by the format (Plain: to
    /// seven significant digits). Remembered, since a run shows few distinct values.
    float shown(double value, Shape shape, const DisplayFormats &formats) const;
    static const QString &formatOf(Shape shape, const DisplayFormats &formats);
    QString textOf(float value, Shape shape, const DisplayFormats &formats, const QLocale &locale) const;

    struct Rounding {
        QString format;
        QHash<quint64, float> values;
    };
    mutable std::array<Rounding, ShapeCount> m_rounding;
    QList<SubgroupRow> m_rows;
    int m_subgroupSize = 1;
};

} // namespace kelvara
