// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/displayformats.h"
#include "core/numberformat.h"

#include <QtTest>

using namespace kelvara;

static const QLocale english(QLocale::English, QLocale::UnitedStates);
static const QLocale german(QLocale::German, QLocale::Germany);
static const QLocale arabic(QLocale::Arabic, QLocale::Egypt);
static const DisplayFormats formats = DisplayFormats::build(2);

class TestNumberFormat : public QObject {
    Q_OBJECT
private slots:
    void init() { QLocale::setDefault(english); }

    void formattedTexts_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("expected");
        auto row = [](const char *name, double value, const QString &format, const char *expected) {
            QTest::newRow(name) << value << format << expected;
        };
        // Reading, mean and range: two required integer digits and decimals; one
        // or two more decimals only when they are not zero.
        row("5.5 as reading", 5.5, formats.reading, "05.50");
        row("float 18.308 as reading", double(18.308f), formats.reading, "18.31");
        row("float 18.308 as mean", double(18.308f), formats.mean, "18.308");
        row("float 18.308 as range stops at its last non-zero decimal", double(18.308f), formats.range, "18.308");
        row("float 8.4562 as mean rounds at the third decimal", double(8.4562f), formats.mean, "08.456");
        row("float 8.4562 as range", double(8.4562f), formats.range, "08.4562");
        row("minus before the padded digits", -3.5, formats.reading, "-03.50");
        row("negative rounding to zero shows no minus", -0.001, formats.reading, "00.00");
        row("no group separator, wide integer part not cut", 1234.5, formats.reading, "1234.50");
        row("round up carries into a new digit", 9.999, formats.reading, "10.00");
        row("round up carries through optional decimals", 9.99996, formats.range, "10.00");
        row("capability", 0.237, capabilityFormat, "0.24");
        row("capability has no leading zeros", 12.3456, capabilityFormat, "12.35");
        // Rounding at the last digit is half away from zero, of the value as stored.
        row("tie rounds up", 0.125, "0.00", "0.13");
        row("negative tie rounds away from zero", -0.125, "0.00", "-0.13");
        row("integer tie rounds up, not to even", 2.5, "0", "3");
        row("float just below a decimal tie rounds down", double(2.675f), "0.00", "2.67");
        // Count-scale labels: a literal blank, then digits.
        row("blank prefix is kept", 10, " 0", " 10");
        // A value that is not a number never becomes digits.
        row("nan", qQNaN(), formats.range, "NA");
        row("infinity", qInf(), capabilityFormat, "NA");
        row("negative infinity", -qInf(), " 0", "NA");
    }
    void formattedTexts()
    {
        QFETCH(double, value);
        QFETCH(QString, format);
        QTEST(formatNumber(value, format, english), "expected");
    }

    void plainAndPrintedNumber_data()
    {
        QTest::addColumn<float>("value");
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("plain");
        QTest::addColumn<QString>("printed");
        QTest::newRow("46 / 3 has 7 significant digits") << 46.0f / 3.0f << english << "15.33333" << " 15.33333 ";
        QTest::newRow("whole number") << 16.0f << english << "16" << " 16 ";
        QTest::newRow("negative: no leading blank") << -3.0f << english << "-3" << "-3 ";
        QTest::newRow("fraction loses its zero when printed") << 0.5f << english << "0.5" << " .5 ";
        QTest::newRow("tiny value in exponent form") << 1e-5f << english << "1E-05" << " 1E-05 ";
        QTest::newRow("negative zero has no minus") << -0.0f << english << "0" << " 0 ";
        QTest::newRow("comma locale") << -0.25f << german << "-0,25" << "-,25 ";
        QTest::newRow("native digits lose their zero too")
            << 0.25f << arabic << u"\u0660\u066B\u0662\u0665"_qs << u" \u066B\u0662\u0665 "_qs;
    }
    void plainAndPrintedNumber()
    {
        QFETCH(float, value);
        QFETCH(QLocale, locale);
        QFETCH(QString, plain);
        QCOMPARE(plainNumber(value, locale), plain);
        QTEST(printedNumber(value, locale), "printed");
        // What the slot table stores reads back as the same value.
        QCOMPARE(readSingle(plain, locale), value);
    }

    void readNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<double>("value");  // NaN: refused
        const double refused = qQNaN();
        QTest::newRow("formatted reading") << "05.50" << english << 5.5;
        QTest::newRow("no leading zero") << "-.5" << english << -0.5;
        QTest::newRow("empty") << "" << english << refused;
        QTest::newRow("lone minus") << "-" << english << refused;
        QTest::newRow("minus inside") << "1-2" << english << refused;
        QTest::newRow("letters") << "abc" << english << refused;
        QTest::newRow("comma under a point locale, never a group") << "1,5" << english << refused;
        QTest::newRow("grouped thousands") << "1,500" << english << refused;
        QTest::newRow("comma locale reads comma") << "1,5" << german << 1.5;
        QTest::newRow("point under a comma locale") << "1.5" << german << refused;
        QTest::newRow("inf") << "inf" << english << refused;
        QTest::newRow("overflow") << "1e999" << english << refused;
    }
    void readNumber()
    {
        QFETCH(QString, text);
        QFETCH(QLocale, locale);
        QFETCH(double, value);
        bool ok = qIsNaN(value);
        const double read = kelvara::readNumber(text, &ok, locale);
        QCOMPARE(ok, !qIsNaN(value));
        QCOMPARE(read, ok ? value : 0.0);
        QCOMPARE(double(readSingle(text, locale)), ok ? double(float(value)) : 0.0);
    }

    // Every text the program writes must read back as its value, whatever the
    // locale's minus sign, separator and digits.
    void writtenTextsReadBack()
    {
        for (const QLocale &locale : {german, QLocale(QLocale::Swedish, QLocale::Sweden), arabic})
            for (const float value : {-3.5f, -0.25f, 1234.5f, 16.0f})
                for (const QString &text : {formatNumber(value, formats.range, locale), plainNumber(value, locale),
                                            printedNumber(value, locale)}) {
                    bool ok = false;
                    QCOMPARE(kelvara::readNumber(text, &ok, locale), double(value));
                    QVERIFY2(ok, qPrintable(locale.name() + ": " + text));
                }
    }

    // Called without a locale, the conversions follow the user's.
    void defaultLocaleIsTheUsers()
    {
        QLocale::setDefault(german);
        QCOMPARE(decimalSeparatorOf(), QStringLiteral(","));
        QCOMPARE(formatNumber(5.5, formats.reading), QStringLiteral("05,50"));
        QCOMPARE(readSingle(QStringLiteral("05,50")), 5.5f);
        QLocale::setDefault(english);
        QCOMPARE(readSingle(QStringLiteral("05,50")), 0.0f);
    }
};

QTEST_GUILESS_MAIN(TestNumberFormat)
#include "tst_numberformat.moc"
