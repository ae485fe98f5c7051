#include "core/numberformat.h"
#include "core/scaleentries.h"

#include <QtTest>

using namespace kelvara;

namespace {

const QString centerMissing = QStringLiteral("Please enter a valid value for Scale Center.");
const QString halfWidthMissing = QStringLiteral("Please enter a valid value for Scale Half-Width.");
const QString lslMissing = QStringLiteral("Please enter a valid value for Lower Specification Limit (LSL).");
const QString uslMissing = QStringLiteral("Please enter a valid value for Upper Specification Limit (USL).");
const QString halfWidthNotPositive = QStringLiteral("Scale Half-Width must be a Positive Non-zero number.");
const QString lslAboveUsl = QStringLiteral("LSL cannot be greater than USL.");
const QString offBoard = QStringLiteral("Spec Limits are set outside the Quincunx Board.");

const QLocale english(QLocale::English, QLocale::UnitedStates);
const QLocale german(QLocale::German, QLocale::Germany);

} // namespace

class TestScaleEntries : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(english); }

    void check_data()
    {
        QTest::addColumn<QStringList>("texts"); // centre, half-width, LSL, USL
        QTest::addColumn<bool>("limitsShown");
        QTest::addColumn<QString>("message");   // empty: passes
        QTest::addColumn<bool>("exclamation");
        QTest::addColumn<bool>("resetHalfWidth");
        QTest::addColumn<bool>("resetLimits");

        const auto row = [](const char *name, QStringList texts, bool shown, const QString &message,
                            bool exclamation = false, bool resetHalfWidth = false, bool resetLimits = false) {
            QTest::newRow(name) << texts << shown << message << exclamation << resetHalfWidth << resetLimits;
        };
        row("all four empty: only the centre is named", {"", "", "", ""}, true, centerMissing);
        row("centre empty", {"", "15", "1", "31"}, false, centerMissing);
        row("half-width empty", {"16", "", "1", "31"}, false, halfWidthMissing);
        row("LSL empty", {"16", "15", "", "31"}, false, lslMissing);
        row("USL empty", {"16", "15", "1", ""}, false, uslMissing);
        row("an empty USL comes before a zero half-width", {"16", "0", "1", ""}, true, uslMissing);
        row("lone minus is empty", {"16", "15", "-", "31"}, false, lslMissing);
        row("minus inside a number is empty", {"16", "15", "1", "1-2"}, false, uslMissing);
        row("letters are empty", {"ab", "15", "1", "31"}, false, centerMissing);
        row("arrow-key character is empty", {"16", "%", "1", "31"}, false, halfWidthMissing);
        row("second separator is empty", {"16", "15", "1.2.3", "31"}, false, lslMissing);
        row("half-width zero", {"16", "0", "1", "31"}, false, halfWidthNotPositive, false, true);
        row("negative half-width", {"16", "-3", "1", "31"}, false, halfWidthNotPositive, false, true);
        row("half-width comes before the limits", {"16", "0", "20", "10"}, true, halfWidthNotPositive, false, true);
        row("LSL above USL while shown", {"16", "15", "20", "10"}, true, lslAboveUsl, false, false, true);
        row("LSL above USL while hidden passes", {"16", "15", "20", "10"}, false, QString());
        row("limits on the board's ends pass", {"16", "15", "1", "31"}, true, QString());
        row("LSL equal to USL passes", {"16", "15", "12.5", "12.5"}, true, QString());
        row("USL beyond the high end", {"16", "15", "1", "31.5"}, true, offBoard, true);
        row("LSL below the low end", {"16", "15", "0.99", "31"}, true, offBoard, true);
        row("both limits off the board", {"100", "3", "1", "31"}, true, offBoard, true);
        row("limits off the board pass while hidden", {"100", "3", "1", "31"}, false, QString());
        row("negative limits on a board below zero", {"0", "10", "-10", "-2.5"}, true, QString());
    }
    void check()
    {
        QFETCH(QStringList, texts);
        QFETCH(bool, limitsShown);
        QFETCH(QString, message);
        QFETCH(bool, exclamation);
        QFETCH(bool, resetHalfWidth);
        QFETCH(bool, resetLimits);
        const ScaleCheck result = checkScaleEntries({texts[0], texts[1], texts[2], texts[3]}, limitsShown, english);
        QCOMPARE(result.passed, message.isEmpty());
        QCOMPARE(result.message, message);
        QCOMPARE(result.exclamation, exclamation);
        QCOMPARE(result.resetHalfWidth, resetHalfWidth);
        QCOMPARE(result.resetLimits, resetLimits);
    }

    void passingEntriesAreConverted()
    {
        const ScaleCheck result = checkScaleEntries({"100", "3", "98.5", "-.5"}, false, english);
        QVERIFY(result.passed);
        QCOMPARE(result.entries.center, 100.0f);
        QCOMPARE(result.entries.halfWidth, 3.0f);
        QCOMPARE(result.entries.lsl, 98.5f);
        QCOMPARE(result.entries.usl, -0.5f);
        QCOMPARE(result.entries.low, 97.0f);
        QCOMPARE(result.entries.high, 103.0f);
    }

    void localeDecidesTheSeparator_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("lsl");
        QTest::addColumn<bool>("isNumber");
        QTest::addColumn<float>("value");
        QTest::newRow("comma in a comma locale") << german << "15,5" << true << 15.5f;
        QTest::newRow("point in a comma locale") << german << "15.5" << false << 0.0f;
        QTest::newRow("comma in a point locale") << english << "15,5" << false << 0.0f;
        QTest::newRow("point in a point locale") << english << "15.5" << true << 15.5f;
        QTest::newRow("leading comma") << german << "-,25" << true << -0.25f;
    }
    void localeDecidesTheSeparator()
    {
        QFETCH(QLocale, locale);
        QFETCH(QString, lsl);
        QFETCH(bool, isNumber);
        QFETCH(float, value);
        const ScaleCheck result = checkScaleEntries({"16", "15", lsl, "31"}, false, locale);
        QCOMPARE(result.passed, isNumber);
        QCOMPARE(result.message, isNumber ? QString() : lslMissing);
        if (isNumber)
            QCOMPARE(result.entries.lsl, value);
    }

    void decimalPlaces_data()
    {
        QTest::addColumn<QStringList>("texts"); // centre, half-width, LSL, USL
        QTest::addColumn<QString>("separator");
        QTest::addColumn<int>("places");
        QTest::newRow("defaults count their whole length") << QStringList{"16", "15", "1", "31"} << "." << 2;
        QTest::newRow("two decimals") << QStringList{"16", "15", "15.25", "31"} << "." << 2;
        QTest::newRow("three whole digits count three") << QStringList{"100", "3", "98", "102"} << "." << 3;
        QTest::newRow("the largest count wins") << QStringList{"16", "15", "1.5", "1.125"} << "." << 3;
        QTest::newRow("six whole digits") << QStringList{"999999", "1", "1", "1"} << "." << 6;
        QTest::newRow("only the locale's separator counts") << QStringList{"16", "15", "1,125", "31"} << "." << 5;
        QTest::newRow("comma separator") << QStringList{"16", "15", "1,125", "31"} << "," << 3;
        QTest::newRow("separator at the end counts none") << QStringList{"1", "1", "1.", "1"} << "." << 1;
        QTest::newRow("empty boxes count none") << QStringList{"", "", "", ""} << "." << 0;
    }
    void decimalPlaces()
    {
        QFETCH(QStringList, texts);
        QFETCH(QString, separator);
        QFETCH(int, places);
        QCOMPARE(decimalPlacesOf({texts[0], texts[1], texts[2], texts[3]}, separator), places);
    }

    // A value shown again must fit the six-character box and read back as
    // the same value, or reopening the dialog and closing it would change it.
    void entryTextFitsTheBox_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("whole number") << english << "16" << "16";
        QTest::newRow("trailing zeros go") << english << "15.500" << "15.5";
        QTest::newRow("comma locale") << german << "15,5" << "15,5";
        QTest::newRow("largest centre") << english << "999999" << "999999";
        QTest::newRow("lowest limit") << english << "-99999" << "-99999";
        QTest::newRow("small fraction keeps its zero") << english << "0.0001" << "0.0001";
        QTest::newRow("five decimals drop the zero") << english << ".12345" << ".12345";
        QTest::newRow("negative four decimals") << english << "-.1234" << "-.1234";
        QTest::newRow("too small for plain digits") << english << ".00001" << ".00001";
        QTest::newRow("comma locale fraction") << german << ",12345" << ",12345";
    }
    void entryTextFitsTheBox()
    {
        QFETCH(QLocale, locale);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        const float value = readSingle(typed, locale);
        const QString text = entryText(value, locale);
        QCOMPARE(text, shown);
        QVERIFY(text.size() <= scaleEntryLength);
        QCOMPARE(readSingle(text, locale), value);
    }
};

QTEST_GUILESS_MAIN(TestScaleEntries)
#include "tst_scaleentries.moc"
