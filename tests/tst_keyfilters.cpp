// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/keyfilters.h"

#include <QtTest>

// The filters of whole-number boxes look at the key alone.
template <QChar (*filter)(QChar)> QChar keyOnly(const QString &, QChar key, const QString &) { return filter(key); }

using Filter = QChar (*)(const QString &, QChar, const QString &);
enum Box { digit, number, dropCount };
static const Filter filters[] = {keyOnly<kelvara::digitKeyFilter>, kelvara::numberKeyFilter,
                                 keyOnly<kelvara::dropCountKeyFilter>};

class TestKeyFilters : public QObject {
    Q_OBJECT
private slots:
    // Each row types every key of `keys` into a box holding `boxText`.
    void keys_data()
    {
        QTest::addColumn<int>("box");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<bool>("passes");
        QTest::addColumn<QString>("boxText");
        QTest::addColumn<QString>("separator");
        const auto row = [](const char *name, Box filter, const QString &keys, bool passes, const QString &box = {},
                            const QString &sep = ".") {
            QTest::newRow(name) << int(filter) << keys << passes << box << sep;
        };
        row("digit: digits, backspace, return and the arrow codes 37 to 40 pass", digit, "09\b\r%&'(", true);
        row("digit: codes 36 and 41, signs, separators, letters, blank, other digits", digit, "$).,-e \u0663", false);
        row("number: empty box: minus, digit, point and arrow codes pass", number, "-3.%(", true);
        row("number: after the separator: minus, digits, backspace and return pass", number, "-7\b\r", true, "-1.5");
        row("number: a second point is cancelled", number, ".", false, "1.5");
        row("number: plus, exponent and the other separator are cancelled", number, "+e,", false, "1");
        row("number: comma separator: the first comma passes", number, ",", true, "1", ",");
        row("number: comma separator: a second comma and any point are cancelled", number, ",.", false, "1,5", ",");
        row("number: comma separator: a point into an empty box is cancelled", number, ".", false, "", ",");
        row("drop count: digits and backspace pass", dropCount, "05\b", true);
        row("drop count: return, arrow codes, minus and point are cancelled", dropCount, "\r%(-.", false);
    }
    // A passing key comes back unchanged; a cancelled one as the null character.
    void keys()
    {
        QFETCH(int, box);
        QFETCH(QString, keys);
        QFETCH(bool, passes);
        QFETCH(QString, boxText);
        QFETCH(QString, separator);
        for (const QChar key : keys)
            QCOMPARE(filters[box](boxText, key, separator), passes ? key : QChar());
    }
};

QTEST_GUILESS_MAIN(TestKeyFilters)
#include "tst_keyfilters.moc"
