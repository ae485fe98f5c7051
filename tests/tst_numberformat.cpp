#include "core/displayformats.h"
#include "core/numberformat.h"

#include <QtTest>

#include <cmath>
#include <limits>

using namespace kelvara;

namespace {

const QLocale english(QLocale::English, QLocale::UnitedStates);
const QLocale german(QLocale::German, QLocale::Germany);

const DisplayFormats twoDecimals = DisplayFormats::build(2);
const DisplayFormats threeDecimals = DisplayFormats::build(3);

} // namespace

class TestNumberFormat : public QObject {
    Q_OBJECT
private slots:
    void init() { QLocale::setDefault(english); }

    void formattedTexts_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("format");
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("expected");

        const QString &reading = twoDecimals.reading;
        const QString &mean = twoDecimals.mean;
        const QString &range = twoDecimals.range;
        auto row = [](const char *name, double value, const QString &format, const QString &expected,
                       const QLocale &locale = english) {
            QTest::newRow(name) << value << format << locale << expected;
        };

        // The display formats: two required integer digits and decimals, one or
        // two more decimals only when they are not zero.
        row("5.5 pads both sides as reading", 5.5, reading, "05.50");
        row("5.5 drops zero optional decimal as mean", 5.5, mean, "05.50");
        row("5.5 drops zero optional decimals as range", 5.5, range, "05.50");
        row("float 18.308 rounds as reading", double(18.308f), reading, "18.31");
        row("float 18.308 shows third decimal as mean", double(18.308f), mean, "18.308");
        row("float 18.308 stops at its last non-zero decimal as range", double(18.308f), range, "18.308");
        row("float 8.4562 rounds as reading", double(8.4562f), reading, "08.46");
        row("float 8.4562 rounds at third decimal as mean", double(8.4562f), mean, "08.456");
        row("float 8.4562 keeps four decimals as range", double(8.4562f), range, "08.4562");
        row("negative keeps minus before padded digits", -3.5, reading, "-03.50");
        row("three wide integer part is not cut", 123.456, reading, "123.46");
        row("no group separator in large numbers", 1234.5, reading, "1234.50");
        row("round up carries into a new digit", 9.999, reading, "10.00");
        row("round up carries through optional decimals", 9.99996, range, "10.00");
        row("zero", 0.0, reading, "00.00");
        row("negative zero shows no minus", -0.0, reading, "00.00");
        row("negative rounding to zero shows no minus", -0.001, reading, "00.00");

        // Built formats with more decimals.
        row("three decimals reading", 5.5, threeDecimals.reading, "05.500");
        row("three decimals mean shows fourth only when not zero", double(8.4562f), threeDecimals.mean,
            "08.4562");
        row("three decimals mean drops zero fourth", 5.5, threeDecimals.mean, "05.500");
        row("three decimals range rounds at fifth", 1.234567, threeDecimals.range, "01.23457");
        row("four decimals reading", 5.5, DisplayFormats::build(4).reading, "05.5000");

        // Capability and gridline formats.
        row("capability rounds 0.237 up", 0.237, capabilityFormat, "0.24");
        row("capability pads 1.5", 1.5, capabilityFormat, "1.50");
        row("capability has no leading zeros above one", 12.3456, capabilityFormat, "12.35");
        row("capability keeps negative sign", -0.775, capabilityFormat, "-0.78");
        row("capability of zero", 0.0, capabilityFormat, "0.00");
        row("gridline label below one", 0.5, gridlineFormat, "0.50");
        row("gridline label", 18.308, gridlineFormat, "18.31");

        // Rounding at the last digit is half away from zero.
        row("exact tie rounds up", 0.125, "0.00", "0.13");
        row("negative exact tie rounds away from zero", -0.125, "0.00", "-0.13");
        row("integer tie rounds up, not to even", 2.5, "0", "3");
        row("below tie rounds down", 0.124999, "0.00", "0.12");
        row("float just below a decimal tie rounds down", double(2.675f), "0.00", "2.67");

        // Count-scale labels: a literal blank, then digits.
        row("blank prefix keeps the blank", 5, " 0", " 5");
        row("blank prefix with two digits", 10, " 0", " 10");
        row("two required digits pad", 5, "00", "05");
        row("two required digits", 75, "00", "75");
        row("no decimals rounds", 74.5, "00", "75");

        // Comma locale.
        row("comma locale reading", 5.5, reading, "05,50", german);
        row("comma locale range", double(8.4562f), range, "08,4562", german);
        row("comma locale negative capability", -0.775, capabilityFormat, "-0,78", german);
        row("comma locale no group separator", 1234.5, reading, "1234,50", german);
    }

    void formattedTexts()
    {
        QFETCH(double, value);
        QFETCH(QString, format);
        QFETCH(QLocale, locale);
        QFETCH(QString, expected);
        QCOMPARE(kelvara::formatNumber(value, format, locale), expected);
    }

    // A value that is not a number never becomes digits (and never crashes).
    void nonFiniteIsNotANumber_data()
    {
        QTest::addColumn<double>("value");
        QTest::newRow("nan") << std::numeric_limits<double>::quiet_NaN();
        QTest::newRow("infinity") << std::numeric_limits<double>::infinity();
        QTest::newRow("negative infinity") << -std::numeric_limits<double>::infinity();
    }

    void nonFiniteIsNotANumber()
    {
        QFETCH(double, value);
        for (const QString &format : {twoDecimals.range, capabilityFormat, QStringLiteral(" 0")})
            QCOMPARE(kelvara::formatNumber(value, format), QStringLiteral("NA"));
        bool ok = true;
        readNumber(kelvara::formatNumber(value, twoDecimals.reading), &ok);
        QVERIFY(!ok);
    }

    void plainAndPrintedNumber_data()
    {
        QTest::addColumn<float>("value");
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("plain");
        QTest::addColumn<QString>("printed");

        QTest::newRow("average of 46 / 3 has 7 significant digits")
            << 46.0f / 3.0f << english << "15.33333" << " 15.33333 ";
        QTest::newRow("whole number has no decimals") << 16.0f << english << "16" << " 16 ";
        QTest::newRow("half") << 15.5f << english << "15.5" << " 15.5 ";
        QTest::newRow("negative whole number") << -3.0f << english << "-3" << "-3 ";
        QTest::newRow("fraction loses its leading zero when printed") << 0.5f << english << "0.5" << " .5 ";
        QTest::newRow("negative fraction loses its leading zero when printed")
            << -0.25f << english << "-0.25" << "-.25 ";
        QTest::newRow("seven digits stay whole") << 1234567.0f << english << "1234567" << " 1234567 ";
        QTest::newRow("eighth significant digit is rounded")
            << 1234.5678f << english << "1234.568" << " 1234.568 ";
        QTest::newRow("tiny value in exponent form") << 1e-5f << english << "1E-05" << " 1E-05 ";
        QTest::newRow("zero") << 0.0f << english << "0" << " 0 ";
        QTest::newRow("negative zero has no minus") << -0.0f << english << "0" << " 0 ";
        QTest::newRow("comma locale") << 15.5f << german << "15,5" << " 15,5 ";
        QTest::newRow("comma locale fraction") << -0.25f << german << "-0,25" << "-,25 ";
        QTest::newRow("native digits lose their leading zero too")
            << 0.25f << QLocale(QLocale::Arabic, QLocale::Egypt) << u"\u0660\u066B\u0662\u0665"_qs
            << u" \u066B\u0662\u0665 "_qs;
    }

    void plainAndPrintedNumber()
    {
        QFETCH(float, value);
        QFETCH(QLocale, locale);
        QFETCH(QString, plain);
        QFETCH(QString, printed);
        QCOMPARE(plainNumber(value, locale), plain);
        QCOMPARE(printedNumber(value, locale), printed);
        // What the slot table stores reads back as the same value to 7 digits.
        QCOMPARE(readSingle(plain, locale), value);
    }

    void readBack_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<double>("value");

        QTest::newRow("formatted reading") << "05.50" << english << true << 5.5;
        QTest::newRow("blanks around") << " 7 " << english << true << 7.0;
        QTest::newRow("negative") << "-3.25" << english << true << -3.25;
        QTest::newRow("no leading zero") << ".5" << english << true << 0.5;
        QTest::newRow("empty") << "" << english << false << 0.0;
        QTest::newRow("only blanks") << "   " << english << false << 0.0;
        QTest::newRow("lone minus") << "-" << english << false << 0.0;
        QTest::newRow("minus inside") << "1-2" << english << false << 0.0;
        QTest::newRow("double minus") << "--5" << english << false << 0.0;
        QTest::newRow("letters") << "abc" << english << false << 0.0;
        QTest::newRow("not applicable text") << "NA" << english << false << 0.0;
        QTest::newRow("comma is not a decimal point here and never groups")
            << "1,5" << english << false << 0.0;
        QTest::newRow("grouped thousands are refused") << "1,500" << english << false << 0.0;
        QTest::newRow("comma locale reads comma") << "1,5" << german << true << 1.5;
        QTest::newRow("comma locale formatted reading") << "05,50" << german << true << 5.5;
        QTest::newRow("dot never groups in comma locale") << "1.5" << german << false << 0.0;
        // The key filters never let "e" into a box; a stored text never has one
        // unless plainNumber wrote a tiny or huge value, which must read back.
        QTest::newRow("exponent reads as a number") << "1e3" << english << true << 1000.0;
        QTest::newRow("plain tiny value reads back") << "1E-05" << english << true << 1e-5;
        QTest::newRow("infinity text is refused") << "inf" << english << false << 0.0;
        QTest::newRow("nan text is refused") << "nan" << english << false << 0.0;
        QTest::newRow("overflow is refused") << "1e999" << english << false << 0.0;
    }

    void readBack()
    {
        QFETCH(QString, text);
        QFETCH(QLocale, locale);
        QFETCH(bool, ok);
        QFETCH(double, value);
        bool parsed = !ok;
        QCOMPARE(kelvara::readNumber(text, &parsed, locale), value);
        QCOMPARE(parsed, ok);
        QCOMPARE(double(readSingle(text, locale)), double(float(value)));
    }

    // The tables are the run's store: every text the program writes must read
    // back as its value, whatever the locale's minus sign, separator and digits.
    void writtenTextsReadBack_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::newRow("point locale") << english;
        QTest::newRow("comma locale") << german;
        QTest::newRow("true minus sign") << QLocale(QLocale::Swedish, QLocale::Sweden);
        QTest::newRow("minus with Arabic letter mark and native digits") << QLocale(QLocale::Arabic, QLocale::Egypt);
        QTest::newRow("minus with left-to-right mark") << QLocale(QLocale::Persian, QLocale::Iran);
        QTest::newRow("Hebrew minus") << QLocale(QLocale::Hebrew, QLocale::Israel);
    }

    void writtenTextsReadBack()
    {
        QFETCH(QLocale, locale);
        for (const float value : {-3.5f, -0.25f, 0.25f, 1234.5f, 16.0f}) {
            const QStringList texts{kelvara::formatNumber(value, twoDecimals.range, locale),
                                    plainNumber(value, locale), printedNumber(value, locale)};
            for (const QString &text : texts) {
                bool ok = false;
                QCOMPARE(kelvara::readNumber(text, &ok, locale), double(value));
                QVERIFY2(ok, qPrintable(text));
            }
        }
    }

    // The program calls the conversions without a locale: they follow the user's.
    void defaultLocaleIsTheUsers()
    {
        QLocale::setDefault(german);
        QCOMPARE(decimalSeparatorOf(), QStringLiteral(","));
        QCOMPARE(kelvara::formatNumber(5.5, twoDecimals.reading), QStringLiteral("05,50"));
        QCOMPARE(plainNumber(15.5f), QStringLiteral("15,5"));
        QCOMPARE(printedNumber(0.5f), QStringLiteral(" ,5 "));
        QCOMPARE(readSingle(QStringLiteral("05,50")), 5.5f);
        QLocale::setDefault(english);
        QCOMPARE(decimalSeparatorOf(), QStringLiteral("."));
        QCOMPARE(readSingle(QStringLiteral("05,50")), 0.0f);
    }
};

QTEST_GUILESS_MAIN(TestNumberFormat)
#include "tst_numberformat.moc"
