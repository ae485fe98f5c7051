#include "core/chartbounds.h"
#include "core/controlfactors.h"
#include "core/displayformats.h"
#include "core/scale.h"
#include "core/sharedstate.h"

#include <QtTest>

#include <limits>

using namespace kelvara;

namespace {

Scale scaleOf(float center, float halfWidth)
{
    Scale scale;
    scale.center = center;
    scale.halfWidth = halfWidth;
    return scale;
}

} // namespace

// QCOMPARE on floats is fuzzy; compared as doubles, two distinct floats differ.
#define COMPARE_FLOAT_EXACTLY(actual, expected) QCOMPARE(double(actual), double(expected))

class TestScale : public QObject {
    Q_OBJECT
private slots:
    void init() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void scaleValue_data()
    {
        QTest::addColumn<float>("center");
        QTest::addColumn<float>("halfWidth");
        QTest::addColumn<float>("slot");
        QTest::addColumn<float>("expected");

        QTest::newRow("default scale slot 1 is 1") << 16.0f << 15.0f << 1.0f << 1.0f;
        QTest::newRow("default scale slot 16 is 16") << 16.0f << 15.0f << 16.0f << 16.0f;
        QTest::newRow("default scale slot 31 is 31") << 16.0f << 15.0f << 31.0f << 31.0f;
        QTest::newRow("default scale half slot") << 16.0f << 15.0f << 15.5f << 15.5f;
        QTest::newRow("narrow scale slot 1 is centre minus half-width") << 50.0f << 3.0f << 1.0f << 47.0f;
        QTest::newRow("narrow scale slot 16 is the centre") << 50.0f << 3.0f << 16.0f << 50.0f;
        QTest::newRow("narrow scale slot 17 is one step of 0.2 up") << 50.0f << 3.0f << 17.0f << 50.2f;
        QTest::newRow("narrow scale slot 31 is centre plus half-width") << 50.0f << 3.0f << 31.0f << 53.0f;
        QTest::newRow("scale below zero") << -10.0f << 30.0f << 1.0f << -40.0f;
        QTest::newRow("slot 0 is 0 on the default scale") << 16.0f << 15.0f << 0.0f << 0.0f;
        QTest::newRow("slot 0 is 0 on a shifted scale") << 50.0f << 3.0f << 0.0f << 0.0f;
        QTest::newRow("slot 0 is 0 on a scale below zero") << -10.0f << 30.0f << 0.0f << 0.0f;
    }

    void scaleValue()
    {
        QFETCH(float, center);
        QFETCH(float, halfWidth);
        QFETCH(float, slot);
        QFETCH(float, expected);
        COMPARE_FLOAT_EXACTLY(scaleOf(center, halfWidth).scaleValue(slot), expected);
    }

    void scaleEnds()
    {
        const Scale defaults;
        QCOMPARE(defaults.low(), 1.0f);
        QCOMPARE(defaults.high(), 31.0f);
        QCOMPARE(defaults.valuePerSlot(), 1.0);
        QCOMPARE(defaults.usl, 31.0f);
        QCOMPARE(defaults.lsl, 1.0f);
        QVERIFY(!defaults.showSpecLimits);

        const Scale narrow = scaleOf(50, 3);
        QCOMPARE(narrow.low(), 47.0f);
        QCOMPARE(narrow.high(), 53.0f);
        QCOMPARE(narrow.valuePerSlot(), 0.2);
    }

    // The grand mean's mapping has no special case for 0: only scaleValue does.
    void valueOfHasNoZeroCase()
    {
        const Scale narrow = scaleOf(50, 3);
        COMPARE_FLOAT_EXACTLY(narrow.valueOf(0.0), 46.8f);
        COMPARE_FLOAT_EXACTLY(narrow.scaleValue(0.0f), 0.0f);
        COMPARE_FLOAT_EXACTLY(narrow.valueOf(16.6), 50.12f);
        COMPARE_FLOAT_EXACTLY(narrow.valueOf(16.0), narrow.scaleValue(16.0f));
    }

    void startBounds_data()
    {
        QTest::addColumn<float>("center");
        QTest::addColumn<float>("halfWidth");
        QTest::addColumn<float>("maxX");
        QTest::addColumn<float>("minX");
        QTest::addColumn<float>("maxR");

        QTest::newRow("default scale") << 16.0f << 15.0f << 31.0f << 1.0f << 1.0f;
        QTest::newRow("narrow scale") << 50.0f << 3.0f << 53.0f << 47.0f << 0.2f;
    }

    void startBounds()
    {
        QFETCH(float, center);
        QFETCH(float, halfWidth);
        QFETCH(float, maxX);
        QFETCH(float, minX);
        QFETCH(float, maxR);
        const ChartBounds bounds = ChartBounds::startFor(scaleOf(center, halfWidth));
        COMPARE_FLOAT_EXACTLY(bounds.maxX, maxX);
        COMPARE_FLOAT_EXACTLY(bounds.minX, minX);
        COMPARE_FLOAT_EXACTLY(bounds.maxR, maxR);
    }

    // What the program starts from: bounds, scale, formats and separator.
    void initialSharedState()
    {
        const SharedState state = SharedState::initial();
        COMPARE_FLOAT_EXACTLY(state.bounds.maxX, 31.0f);
        COMPARE_FLOAT_EXACTLY(state.bounds.minX, 1.0f);
        COMPARE_FLOAT_EXACTLY(state.bounds.maxR, 1.0f);
        QCOMPARE(state.scale.center, 16.0f);
        QCOMPARE(state.scale.halfWidth, 15.0f);
        QCOMPARE(state.formats.reading, QStringLiteral("00.00"));
        QCOMPARE(state.decimalSeparator, QStringLiteral("."));
        COMPARE_FLOAT_EXACTLY(state.factors.A2[5], 0.577f);
        QCOMPARE(int(state.subgroupCount), 0);
    }

    void trackBounds_data()
    {
        QTest::addColumn<float>("center");
        QTest::addColumn<float>("halfWidth");
        QTest::addColumn<QString>("bound");
        QTest::addColumn<QList<float>>("fed");
        QTest::addColumn<float>("expected");

        using Values = QList<float>;
        const float nan = std::numeric_limits<float>::quiet_NaN();
        const float infinity = std::numeric_limits<float>::infinity();
        QTest::newRow("first max inside the start value replaces it")
            << 16.0f << 15.0f << "maxX" << Values{18.308f} << 18.308f;
        QTest::newRow("first max outside the start value replaces it")
            << 16.0f << 15.0f << "maxX" << Values{40.0f} << 40.0f;
        QTest::newRow("later smaller max is ignored")
            << 16.0f << 15.0f << "maxX" << Values{18.308f, 17.0f} << 18.308f;
        QTest::newRow("later greater max widens")
            << 16.0f << 15.0f << "maxX" << Values{18.308f, 17.0f, 20.5f} << 20.5f;
        QTest::newRow("first min inside the start value replaces it")
            << 16.0f << 15.0f << "minX" << Values{13.692f} << 13.692f;
        QTest::newRow("later greater min is ignored")
            << 16.0f << 15.0f << "minX" << Values{13.692f, 15.0f} << 13.692f;
        QTest::newRow("later smaller min widens")
            << 16.0f << 15.0f << "minX" << Values{13.692f, 15.0f, 12.5f} << 12.5f;
        QTest::newRow("first range inside the start value replaces it")
            << 16.0f << 15.0f << "maxR" << Values{0.5f} << 0.5f;
        QTest::newRow("later smaller range is ignored")
            << 16.0f << 15.0f << "maxR" << Values{8.456f, 4.0f} << 8.456f;
        QTest::newRow("later greater range widens")
            << 16.0f << 15.0f << "maxR" << Values{8.456f, 4.0f, 9.0f} << 9.0f;
        QTest::newRow("narrow scale first max replaces its own start value")
            << 50.0f << 3.0f << "maxX" << Values{50.462f} << 50.462f;
        QTest::newRow("narrow scale first range replaces its own start value")
            << 50.0f << 3.0f << "maxR" << Values{0.1f, 0.05f} << 0.1f;
        // The start value is recognised although centre + half-width is not a
        // float sum that rounds exactly.
        QTest::newRow("inexact start value still marks an unset bound")
            << 0.1f << 0.2f << "maxX" << Values{0.25f} << 0.25f;
        QTest::newRow("inexact start value still marks an unset range")
            << 0.1f << 0.2f << "maxR" << Values{0.001f} << 0.001f;
        // Limits of an overflowing scale must not stick in the bounds.
        QTest::newRow("nan never replaces a start value")
            << 16.0f << 15.0f << "minX" << Values{nan} << 1.0f;
        QTest::newRow("nan never replaces a set value")
            << 16.0f << 15.0f << "maxX" << Values{18.308f, nan, 20.0f} << 20.0f;
        QTest::newRow("infinity never widens a bound")
            << 16.0f << 15.0f << "maxR" << Values{8.456f, infinity} << 8.456f;
    }

    void trackBounds()
    {
        QFETCH(float, center);
        QFETCH(float, halfWidth);
        QFETCH(QString, bound);
        QFETCH(QList<float>, fed);
        QFETCH(float, expected);

        const Scale scale = scaleOf(center, halfWidth);
        ChartBounds bounds = ChartBounds::startFor(scale);
        for (float value : fed) {
            if (bound == u"maxX")
                bounds.trackMaxX(value, scale);
            else if (bound == u"minX")
                bounds.trackMinX(value, scale);
            else
                bounds.trackMaxR(value, scale);
        }
        const float actual = bound == u"maxX" ? bounds.maxX : bound == u"minX" ? bounds.minX : bounds.maxR;
        COMPARE_FLOAT_EXACTLY(actual, expected);
    }

    // Bounds set under one scale only widen under another until the scale
    // dialog starts them afresh for the new scale.
    void scaleChangeRestartsBounds()
    {
        const Scale defaults;
        const Scale narrow = scaleOf(50, 3);
        ChartBounds bounds = ChartBounds::startFor(defaults);
        bounds.trackMaxX(18.308f, defaults);
        bounds.trackMaxX(17.0f, narrow);
        COMPARE_FLOAT_EXACTLY(bounds.maxX, 18.308f);

        bounds = ChartBounds::startFor(narrow);
        COMPARE_FLOAT_EXACTLY(bounds.maxX, 53.0f);
        bounds.trackMaxX(50.462f, narrow);
        COMPARE_FLOAT_EXACTLY(bounds.maxX, 50.462f);
    }

    void controlFactors_data()
    {
        QTest::addColumn<int>("n");
        QTest::addColumn<float>("A2");
        QTest::addColumn<float>("D3");
        QTest::addColumn<float>("D4");
        QTest::addColumn<float>("d2");

        QTest::newRow("n = 1 individuals") << 1 << 2.66f << 0.0f << 3.268f << 1.128f;
        QTest::newRow("n = 2") << 2 << 1.88f << 0.0f << 3.268f << 1.128f;
        QTest::newRow("n = 3") << 3 << 1.023f << 0.0f << 2.574f << 1.693f;
        QTest::newRow("n = 4") << 4 << 0.729f << 0.0f << 2.282f << 2.059f;
        QTest::newRow("n = 5") << 5 << 0.577f << 0.0f << 2.114f << 2.326f;
        QTest::newRow("n = 6") << 6 << 0.483f << 0.0f << 2.004f << 2.534f;
        QTest::newRow("n = 7 first non-zero D3") << 7 << 0.419f << 0.076f << 1.924f << 2.704f;
        QTest::newRow("n = 8") << 8 << 0.373f << 0.136f << 1.864f << 2.847f;
        QTest::newRow("n = 9") << 9 << 0.337f << 0.184f << 1.816f << 2.97f;
        QTest::newRow("n = 10") << 10 << 0.308f << 0.223f << 1.777f << 3.078f;
        QTest::newRow("n = 11") << 11 << 0.285f << 0.256f << 1.744f << 3.173f;
        QTest::newRow("n = 12") << 12 << 0.266f << 0.283f << 1.717f << 3.258f;
        QTest::newRow("n = 13") << 13 << 0.249f << 0.307f << 1.693f << 3.336f;
        QTest::newRow("n = 14") << 14 << 0.235f << 0.328f << 1.672f << 3.407f;
        QTest::newRow("n = 15") << 15 << 0.223f << 0.347f << 1.653f << 3.472f;
    }

    void controlFactors()
    {
        QFETCH(int, n);
        QFETCH(float, A2);
        QFETCH(float, D3);
        QFETCH(float, D4);
        QFETCH(float, d2);
        const ControlFactors factors = ControlFactors::load();
        COMPARE_FLOAT_EXACTLY(factors.A2[n], A2);
        COMPARE_FLOAT_EXACTLY(factors.D3[n], D3);
        COMPARE_FLOAT_EXACTLY(factors.D4[n], D4);
        COMPARE_FLOAT_EXACTLY(factors.d2[n], d2);
    }

    void factorIndexClamps_data()
    {
        QTest::addColumn<int>("subgroupSize");
        QTest::addColumn<int>("index");
        QTest::newRow("zero goes to 1") << 0 << 1;
        QTest::newRow("negative goes to 1") << -4 << 1;
        QTest::newRow("smallest stays") << 1 << 1;
        QTest::newRow("inside stays") << 7 << 7;
        QTest::newRow("largest stays") << 15 << 15;
        QTest::newRow("too large goes to 15") << 16 << 15;
        QTest::newRow("far too large goes to 15") << 32767 << 15;
    }

    void factorIndexClamps()
    {
        QFETCH(int, subgroupSize);
        QFETCH(int, index);
        QCOMPARE(ControlFactors::indexFor(subgroupSize), index);
    }

    void displayFormats_data()
    {
        QTest::addColumn<int>("decimals");
        QTest::addColumn<QString>("reading");
        QTest::addColumn<QString>("mean");
        QTest::addColumn<QString>("range");

        QTest::newRow("two decimals are the default") << 2 << "00.00" << "00.00#" << "00.00##";
        QTest::newRow("one decimal still shows two") << 1 << "00.00" << "00.00#" << "00.00##";
        QTest::newRow("no decimals still shows two") << 0 << "00.00" << "00.00#" << "00.00##";
        QTest::newRow("three decimals") << 3 << "00.000" << "00.000#" << "00.000##";
        QTest::newRow("four decimals") << 4 << "00.0000" << "00.0000#" << "00.0000##";
    }

    void displayFormats()
    {
        QFETCH(int, decimals);
        QFETCH(QString, reading);
        QFETCH(QString, mean);
        QFETCH(QString, range);
        const DisplayFormats formats = DisplayFormats::build(decimals);
        QCOMPARE(formats.reading, reading);
        QCOMPARE(formats.mean, mean);
        QCOMPARE(formats.range, range);
    }
};

QTEST_GUILESS_MAIN(TestScale)
#include "tst_scale.moc"
