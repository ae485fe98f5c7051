#include "core/exportformat.h"
#include "core/texttable.h"

#include <QtTest>

using namespace kelvara;

namespace {

// A measurement table for n holding the given cells of columns 1..n + 2.
MemoryTable measurementTable(int subgroupSize, const QList<QStringList> &rows)
{
    MemoryTable table;
    resetSubgroupTable(table, subgroupSize);
    table.setRowCount(int(rows.size()) + 1);
    for (int row = 1; row <= rows.size(); ++row) {
        table.setText(row, 0, QString::number(row));
        for (int column = 1; column <= rows[row - 1].size(); ++column)
            table.setText(row, column, rows[row - 1][column - 1]);
    }
    return table;
}

} // namespace

class TestExportFormat : public QObject {
    Q_OBJECT
private slots:
    void separator_data()
    {
        QTest::addColumn<ExportType>("type");
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("separator");
        const QLocale german(QLocale::German, QLocale::Germany);
        QTest::newRow("CSV, decimal point") << ExportType::CommaSeparated << QLocale(QLocale::English) << ",";
        QTest::newRow("CSV, decimal comma") << ExportType::CommaSeparated << german << ";";
        QTest::newRow("CSV, Swiss German point")
            << ExportType::CommaSeparated << QLocale(QLocale::German, QLocale::Switzerland) << ",";
        QTest::newRow("text, decimal comma") << ExportType::TabDelimited << german << "\t";
    }

    void separator()
    {
        QFETCH(ExportType, type);
        QFETCH(QLocale, locale);
        QFETCH(QString, separator);
        QCOMPARE(fieldSeparator(type, locale), separator);
    }

    void contents_data()
    {
        QTest::addColumn<int>("subgroupSize");
        QTest::addColumn<QList<QStringList>>("rows");
        QTest::addColumn<QString>("separator");
        QTest::addColumn<QByteArray>("expected");
        const QList<QStringList> pairs = {{"15.00", "17.00", "16.00", "02.00"},
                                          {"-03.50", "03.50", "00.00", "07.00"}};
        QTest::newRow("pairs, comma")
            << 2 << pairs << ","
            << QByteArray("SG No,Reading 1,Reading 2,Average,Range\r\n"
                          "1,15.00,17.00,16.00,02.00\r\n2,-03.50,03.50,00.00,07.00\r\n");
        QTest::newRow("pairs, tab")
            << 2 << pairs << "\t"
            << QByteArray("SG No\tReading 1\tReading 2\tAverage\tRange\r\n"
                          "1\t15.00\t17.00\t16.00\t02.00\r\n2\t-03.50\t03.50\t00.00\t07.00\r\n");
        QTest::newRow("single readings: four fields")
            << 1 << QList<QStringList>{{"15.00", "15.00", "00.00"}, {"18.00", "18.00", "03.00"}} << ","
            << QByteArray("SG No,Reading 1,Average,Range\r\n1,15.00,15.00,00.00\r\n2,18.00,18.00,03.00\r\n");
        QTest::newRow("decimal commas, semicolons")
            << 2 << QList<QStringList>{{"15,00", "17,00", "16,00", "02,00"}} << ";"
            << QByteArray("SG No;Reading 1;Reading 2;Average;Range\r\n1;15,00;17,00;16,00;02,00\r\n");
        QStringList fifteen;
        for (int reading = 1; reading <= 15; ++reading)
            fifteen << QStringLiteral("%1.00").arg(reading, 2, 10, QLatin1Char('0'));
        QTest::newRow("fifteen readings: nineteen fields")
            << 15 << QList<QStringList>{fifteen << "08.00" << "14.00"} << ","
            << QByteArray("SG No,Reading 1,Reading 2,Reading 3,Reading 4,Reading 5,Reading 6,Reading 7,"
                          "Reading 8,Reading 9,Reading 10,Reading 11,Reading 12,Reading 13,Reading 14,"
                          "Reading 15,Average,Range\r\n"
                          "1,01.00,02.00,03.00,04.00,05.00,06.00,07.00,08.00,09.00,10.00,11.00,12.00,"
                          "13.00,14.00,15.00,08.00,14.00\r\n");
    }

    void contents()
    {
        QFETCH(int, subgroupSize);
        QFETCH(QList<QStringList>, rows);
        QFETCH(QString, separator);
        QFETCH(QByteArray, expected);
        QCOMPARE(exportFileContents(measurementTable(subgroupSize, rows), subgroupSize, separator), expected);
    }

    void subgroupNumberIsNeverGrouped()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); // groups thousands: 1,000
        const QList<QStringList> rows(1000, QStringList{"16.00", "16.00", "00.00"});
        const QByteArray file = exportFileContents(measurementTable(1, rows), 1, ",");
        QCOMPARE(file.count("\r\n"), 1001);
        QVERIFY(file.endsWith("\r\n1000,16.00,16.00,00.00\r\n"));
    }
};

QTEST_GUILESS_MAIN(TestExportFormat)
#include "tst_exportformat.moc"
