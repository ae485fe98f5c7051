// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/scaleentries.h"

#include <QtTest>

#include <tuple>

using namespace kelvara;

namespace {

const QString lslMissing = QStringLiteral("Please enter a valid value for Lower Specification Limit (LSL).");
const QString uslMissing = QStringLiteral("Please enter a valid value for Upper Specification Limit (USL).");
const QString halfWidthNotPositive = QStringLiteral("Scale Half-Width must be a Positive Non-zero number.");
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
        QTest::addColumn<QString>("message"); // empty: passes
        QTest::addColumn<QString>("effects"); // W: Warning icon, H: half-width reset, L: both limits reset
        const auto row = [](const char *name, QStringList texts, bool shown, const QString &message,
                            const char *effects = "") { QTest::newRow(name) << texts << shown << message << effects; };
        row("all four empty: only the centre is named", {"", "", "", ""}, true, "Please enter a valid value for Scale Center.");
        row("half-width empty", {"16", "", "1", "31"}, false, "Please enter a valid value for Scale Half-Width.");
        row("an empty USL comes before a zero half-width", {"16", "0", "1", ""}, true, uslMissing);
        row("second separator is empty", {"16", "15", "1", "1.2.3"}, false, uslMissing);
        row("comma in a point locale is empty", {"16", "15", "15,5", "31"}, false, lslMissing);
        row("negative half-width", {"16", "-3", "1", "31"}, false, halfWidthNotPositive, "H");
        row("half-width comes before the limits", {"16", "0", "20", "10"}, true, halfWidthNotPositive, "H");
        row("LSL above USL while shown", {"16", "15", "20", "10"}, true, "LSL cannot be greater than USL.", "L");
        row("LSL above USL passes while hidden", {"16", "15", "20", "10"}, false, QString());
        row("limits on the board's ends pass", {"16", "15", "1", "31"}, true, QString());
        row("LSL equal to USL passes", {"16", "15", "12.5", "12.5"}, true, QString());
        row("USL 31.5 beyond the high end warns", {"16", "15", "1", "31.5"}, true, offBoard, "W");
        row("LSL below the low end warns", {"16", "15", "0.99", "31"}, true, offBoard, "W");
        row("limits off the board pass while hidden", {"100", "3", "1", "31"}, false, QString());
    }
    void check()
    {
        QFETCH(QStringList, texts);
        QFETCH(bool, limitsShown);
        QFETCH(QString, message);
        QFETCH(QString, effects);
        const ScaleCheck result = checkScaleEntries({texts[0], texts[1], texts[2], texts[3]}, limitsShown, english);
        QCOMPARE(result.passed, message.isEmpty());
        QCOMPARE(result.message, message);
        QCOMPARE(QString(result.exclamation ? "W" : "") + (result.resetHalfWidth ? "H" : "")
                     + (result.resetLimits ? "L" : ""),
                 effects);
    }

    void passingEntriesAreConverted()
    {
        for (const auto &[locale, lsl, usl] : {std::tuple{english, "98.5", "-.5"}, std::tuple{german, "98,5", "-,5"}}) {
            const ScaleCheck result = checkScaleEntries({"100", "3", lsl, usl}, false, locale);
            QVERIFY2(result.passed, qPrintable(locale.name()));
            const ScaleEntries &e = result.entries;
            QCOMPARE((QList<float>{e.center, e.halfWidth, e.lsl, e.usl, e.low, e.high}),
                     (QList<float>{100, 3, 98.5f, -0.5f, 97, 103}));
        }
    }

    void decimalPlaces()
    {
        QCOMPARE(decimalPlacesOf({"16", "15", "1", "31"}, "."), 2); // no separator: the whole length
        QCOMPARE(decimalPlacesOf({"16", "15", "15.25", "31"}, "."), 2);
        QCOMPARE(decimalPlacesOf({"100", "3", "98", "102"}, "."), 3);
        QCOMPARE(decimalPlacesOf({"16", "15", "1.5", "1.125"}, "."), 3); // the largest count wins
        QCOMPARE(decimalPlacesOf({"16", "15", "1,125", "31"}, ","), 3);  // the locale's separator ...
        QCOMPARE(decimalPlacesOf({"16", "15", "1,125", "31"}, "."), 5);  // ... and only that one
    }

    // A value shown again must fit the six-character box and read back as
    // the same value, or reopening the dialog and closing it would change it.
    void entryTextFitsTheBox()
    {
        QCOMPARE(entryText(15.5f, english), QStringLiteral("15.5"));
        QCOMPARE(entryText(-99999.0f, english), QStringLiteral("-99999"));
        QCOMPARE(entryText(0.12345f, english), QStringLiteral(".12345"));
        QCOMPARE(entryText(1e-05f, english), QStringLiteral(".00001"));
        QCOMPARE(entryText(0.12345f, german), QStringLiteral(",12345"));
    }
};

QTEST_GUILESS_MAIN(TestScaleEntries)
#include "tst_scaleentries.moc"
