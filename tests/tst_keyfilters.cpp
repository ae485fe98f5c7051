#include "core/keyfilters.h"

#include <QtTest>

using namespace kelvara;

namespace {

enum class Filter { Digit, Number, DropCount };

QChar apply(Filter filter, const QString &boxText, QChar key, const QString &separator)
{
    switch (filter) {
    case Filter::Digit:
        return digitKeyFilter(key);
    case Filter::Number:
        return numberKeyFilter(boxText, key, separator);
    case Filter::DropCount:
        return dropCountKeyFilter(key);
    }
    return {};
}

} // namespace

Q_DECLARE_METATYPE(Filter)

class TestKeyFilters : public QObject {
    Q_OBJECT
private slots:
    void init() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void keyFilters_data()
    {
        QTest::addColumn<Filter>("filter");
        QTest::addColumn<QString>("boxText");
        QTest::addColumn<QChar>("key");
        QTest::addColumn<QString>("separator");
        QTest::addColumn<bool>("passes");

        const QChar backspace(8);
        const QChar carriageReturn(13);
        auto row = [](const char *name, Filter filter, const QString &boxText, QChar key,
                       const QString &separator, bool passes) {
            QTest::newRow(name) << filter << boxText << key << separator << passes;
        };

        row("digit box: 7 passes", Filter::Digit, "", u'7', ".", true);
        row("digit box: 0 passes", Filter::Digit, "12", u'0', ".", true);
        row("digit box: 9 passes", Filter::Digit, "", u'9', ".", true);
        row("digit box: backspace passes", Filter::Digit, "12", backspace, ".", true);
        row("digit box: carriage return passes", Filter::Digit, "12", carriageReturn, ".", true);
        row("digit box: percent (code 37) passes", Filter::Digit, "", u'%', ".", true);
        row("digit box: ampersand (code 38) passes", Filter::Digit, "", u'&', ".", true);
        row("digit box: apostrophe (code 39) passes", Filter::Digit, "", u'\'', ".", true);
        row("digit box: opening parenthesis (code 40) passes", Filter::Digit, "", u'(', ".", true);
        row("digit box: closing parenthesis (code 41) cancelled", Filter::Digit, "", u')', ".", false);
        row("digit box: dollar (code 36) cancelled", Filter::Digit, "", u'$', ".", false);
        row("digit box: point cancelled", Filter::Digit, "", u'.', ".", false);
        row("digit box: comma cancelled", Filter::Digit, "", u',', ",", false);
        row("digit box: minus cancelled", Filter::Digit, "", u'-', ".", false);
        row("digit box: letter cancelled", Filter::Digit, "", u'e', ".", false);
        row("digit box: blank cancelled", Filter::Digit, "", u' ', ".", false);
        row("digit box: other script digit cancelled", Filter::Digit, "", QChar(0x0663), ".", false);

        row("number box: minus passes into empty box", Filter::Number, "", u'-', ".", true);
        row("number box: digit passes into empty box", Filter::Number, "", u'3', ".", true);
        row("number box: point passes into empty box", Filter::Number, "", u'.', ".", true);
        row("number box: point passes after digits", Filter::Number, "-12", u'.', ".", true);
        row("number box: second point cancelled", Filter::Number, "1.5", u'.', ".", false);
        row("number box: second point cancelled anywhere", Filter::Number, ".", u'.', ".", false);
        row("number box: comma cancelled with point separator", Filter::Number, "", u',', ".", false);
        row("number box: second minus passes", Filter::Number, "-", u'-', ".", true);
        row("number box: minus after digits passes", Filter::Number, "1", u'-', ".", true);
        row("number box: digits pass after the separator", Filter::Number, "1.5", u'7', ".", true);
        row("number box: backspace passes", Filter::Number, "1.5", backspace, ".", true);
        row("number box: carriage return passes", Filter::Number, "1.5", carriageReturn, ".", true);
        row("number box: percent (code 37) passes", Filter::Number, "", u'%', ".", true);
        row("number box: opening parenthesis (code 40) passes", Filter::Number, "", u'(', ".", true);
        row("number box: plus cancelled", Filter::Number, "", u'+', ".", false);
        row("number box: exponent letter cancelled", Filter::Number, "1", u'e', ".", false);
        row("comma number box: comma passes", Filter::Number, "1", u',', ",", true);
        row("comma number box: second comma cancelled", Filter::Number, "1,5", u',', ",", false);
        row("comma number box: point cancelled", Filter::Number, "", u'.', ",", false);
        row("comma number box: point cancelled after a comma", Filter::Number, "1,5", u'.', ",", false);
        row("comma number box: minus passes", Filter::Number, "", u'-', ",", true);

        row("drop count box: digit passes", Filter::DropCount, "", u'5', ".", true);
        row("drop count box: backspace passes", Filter::DropCount, "5", backspace, ".", true);
        row("drop count box: carriage return cancelled", Filter::DropCount, "5", carriageReturn, ".", false);
        row("drop count box: percent cancelled", Filter::DropCount, "", u'%', ".", false);
        row("drop count box: minus cancelled", Filter::DropCount, "", u'-', ".", false);
        row("drop count box: point cancelled", Filter::DropCount, "", u'.', ".", false);
    }

    void keyFilters()
    {
        QFETCH(Filter, filter);
        QFETCH(QString, boxText);
        QFETCH(QChar, key);
        QFETCH(QString, separator);
        QFETCH(bool, passes);
        // A passing key comes back unchanged; a cancelled one as the null character.
        QCOMPARE(apply(filter, boxText, key, separator), passes ? key : QChar());
    }
};

QTEST_GUILESS_MAIN(TestKeyFilters)
#include "tst_keyfilters.moc"
