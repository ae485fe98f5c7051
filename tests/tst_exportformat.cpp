// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/exportformat.h"
#include "core/texttable.h"

#include <QtTest>

namespace {

// The export reads the table through its interface; the test fills one kept in memory.
class MemoryTable : public kelvara::TextTable {
public:
    int rowCount() const override { return int(m_rows.size()); }
    void setRowCount(int rows) override { m_rows.resize(rows, QStringList(m_columns)); }
    int columnCount() const override { return m_columns; }
    void setColumnCount(int columns) override
    {
        m_columns = columns;
        for (QStringList &row : m_rows)
            row.resize(columns);
    }
    QString text(int row, int column) const override { return m_rows.value(row).value(column); }
    void setText(int row, int column, const QString &text) override { m_rows[row][column] = text; }

private:
    QList<QStringList> m_rows;
    int m_columns = 0;
};

} // namespace

using namespace kelvara;

class TestExportFormat : public QObject {
    Q_OBJECT
private slots:
    // CSV takes a semicolon where the decimal separator is a comma; the language alone does not decide.
    void separator()
    {
        const QLocale german(QLocale::German, QLocale::Germany), swiss(QLocale::German, QLocale::Switzerland);
        const auto csv = [](const QLocale &locale) { return fieldSeparator(ExportType::CommaSeparated, locale); };
        QCOMPARE(csv(QLocale(QLocale::English)) + csv(german) + csv(swiss), QStringLiteral(",;,"));
    }

    void contents_data()
    {
        QTest::addColumn<int>("subgroupSize");
        QTest::addColumn<QList<QStringList>>("rows"); // columns 1..n + 2 of rows 1..
        QTest::addColumn<QString>("separator");
        QTest::addColumn<QByteArray>("expected");
        const QList<QStringList> pairs = {{"15.00", "17.00", "16.00", "02.00"}, {"-03.50", "03.50", "00.00", "07.00"}};
        const QByteArray pairsFile("SG No,Reading 1,Reading 2,Average,Range\r\n"
                                   "1,15.00,17.00,16.00,02.00\r\n2,-03.50,03.50,00.00,07.00\r\n");
        QTest::newRow("pairs, comma") << 2 << pairs << "," << pairsFile;
        QTest::newRow("single readings: four fields")
            << 1 << QList<QStringList>{{"15.00", "15.00", "00.00"}, {"18.00", "18.00", "03.00"}} << "\t"
            << QByteArray("SG No\tReading 1\tAverage\tRange\r\n1\t15.00\t15.00\t00.00\r\n2\t18.00\t18.00\t03.00\r\n");
        QTest::newRow("fifteen readings: eighteen fields")
            << 15
            << QList<QStringList>{{"01.00", "02.00", "03.00", "04.00", "05.00", "06.00", "07.00", "08.00", "09.00",
                                   "10.00", "11.00", "12.00", "13.00", "14.00", "15.00", "08.00", "14.00"}}
            << "," << QByteArray("SG No,Reading 1,Reading 2,Reading 3,Reading 4,Reading 5,Reading 6,Reading 7,"
                                 "Reading 8,Reading 9,Reading 10,Reading 11,Reading 12,Reading 13,Reading 14,"
                                 "Reading 15,Average,Range\r\n1,01.00,02.00,03.00,04.00,05.00,06.00,07.00,08.00,"
                                 "09.00,10.00,11.00,12.00,13.00,14.00,15.00,08.00,14.00\r\n");
        // The subgroup number is never grouped, though this locale writes 1,000.
        QByteArray file("SG No,Reading 1,Average,Range\r\n");
        for (int row = 1; row <= 1000; ++row)
            file += QByteArray::number(row) + ",16.00,16.00,00.00\r\n";
        QTest::newRow("1000 subgroups") << 1 << QList<QStringList>(1000, {"16.00", "16.00", "00.00"}) << "," << file;
    }

    void contents()
    {
        QFETCH(int, subgroupSize);
        QFETCH(QList<QStringList>, rows);
        QFETCH(QString, separator);
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        MemoryTable table;
        resetSubgroupTable(table, subgroupSize);
        table.setRowCount(int(rows.size()) + 1);
        for (int row = 1; row <= rows.size(); ++row)
            for (int column = 1; column <= rows[row - 1].size(); ++column)
                table.setText(row, column, rows[row - 1][column - 1]);
        QTEST(exportFileContents(table, subgroupSize, separator), "expected");
    }
};

QTEST_GUILESS_MAIN(TestExportFormat)
#include "tst_exportformat.moc"
