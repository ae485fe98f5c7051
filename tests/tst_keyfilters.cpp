// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/keyfilters.h"

#include <QtTest>

// Each row types every key of `keys` into a box holding `boxText`.
static void columns()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<bool>("passes");
    QTest::addColumn<QString>("boxText");
    QTest::addColumn<QString>("separator");
}

static void row(const char *name, const QString &keys, bool passes, const QString &box = {}, const QString &sep = ".")
{
    QTest::newRow(name) << keys << passes << box << sep;
}

// A passing key comes back unchanged; a cancelled one as the null character.
template <class Filter> static void checkRow(Filter filter)
{
    QFETCH(QString, keys);
    QFETCH(bool, passes);
    QFETCH(QString, boxText);
    QFETCH(QString, separator);
    for (const QChar key : keys)
        QCOMPARE(filter(boxText, key, separator), passes ? key : QChar());
}

// The filters of whole-number boxes look at the key alone.
template <QChar (*filter)(QChar)> QChar keyOnly(const QString &, QChar key, const QString &) { return filter(key); }

class TestKeyFilters : public QObject {
    Q_OBJECT
private slots:
    void digitKeys_data()
    {
        columns();
        row("digits, backspace, return and the arrow codes 37 to 40 pass", "09\b\r%&'(", true);
        row("codes 36 and 41, signs, separators, letters, blank, other digits", "$).,-e \u0663", false);
    }
    void digitKeys() { checkRow(keyOnly<kelvara::digitKeyFilter>); }

    void numberKeys_data()
    {
        columns();
        row("empty box: minus, digit, point and arrow codes pass", "-3.%(", true);
        row("after the separator: minus, digits, backspace and return pass", "-7\b\r", true, "-1.5");
        row("a second point is cancelled", ".", false, "1.5");
        row("plus, exponent and the other separator are cancelled", "+e,", false, "1");
        row("comma separator: the first comma passes", ",", true, "1", ",");
        row("comma separator: a second comma and any point are cancelled", ",.", false, "1,5", ",");
        row("comma separator: a point into an empty box is cancelled", ".", false, "", ",");
    }
    void numberKeys() { checkRow(kelvara::numberKeyFilter); }

    void dropCountKeys_data()
    {
        columns();
        row("digits and backspace pass", "05\b", true);
        row("return, arrow codes, minus and point are cancelled", "\r%(-.", false);
    }
    void dropCountKeys() { checkRow(keyOnly<kelvara::dropCountKeyFilter>); }
};

QTEST_GUILESS_MAIN(TestKeyFilters)
#include "tst_keyfilters.moc"
