// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/chartbounds.h"
#include "core/controlfactors.h"
#include "core/displayformats.h"
#include "core/scale.h"
#include "core/sharedstate.h"

#include <QtTest>

using namespace kelvara;

static const Scale narrow{.center = 50, .halfWidth = 3};

static QList<float> boundsOf(const ChartBounds &b) { return {b.maxX, b.minX, b.maxR}; }

static QStringList formatsOf(int d) { const auto f = DisplayFormats::build(d); return {f.reading, f.mean, f.range}; }

Q_DECLARE_METATYPE(kelvara::Scale)

// QCOMPARE on floats is fuzzy (on lists it is exact); compared as doubles, two distinct floats differ.
#define COMPARE_FLOAT_EXACTLY(actual, expected) QCOMPARE(double(actual), double(expected))

class TestScale : public QObject {
    Q_OBJECT
private slots:
    void init() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void scaleValue_data()
    {
        QTest::addColumn<Scale>("scale");
        QTest::addColumn<float>("slot");
        QTest::addColumn<float>("expected");
        QTest::newRow("default: half slot") << Scale() << 15.5f << 15.5f;
        QTest::newRow("50 +- 3: slot 1 is 47") << narrow << 1.0f << 47.0f;
        QTest::newRow("50 +- 3: slot 17 is one step of 0.2 up") << narrow << 17.0f << 50.2f;
        QTest::newRow("50 +- 3: slot 31 is 53") << narrow << 31.0f << 53.0f;
        QTest::newRow("below zero: slot 1 is -40") << Scale{.center = -10, .halfWidth = 30} << 1.0f << -40.0f;
        QTest::newRow("50 +- 3: slot 0 is 0, not 46.8") << narrow << 0.0f << 0.0f;
    }
    void scaleValue()
    {
        QFETCH(Scale, scale);
        QFETCH(float, slot);
        QFETCH(float, expected);
        COMPARE_FLOAT_EXACTLY(scale.scaleValue(slot), expected);
    }

    // The ends and start values of a scale; the grand mean's mapping has no special case for
    // 0: only scaleValue does.
    void scaleEndsAndStartValues()
    {
        QCOMPARE((QList<float>{narrow.low(), narrow.high()}), (QList<float>{47, 53}));
        QCOMPARE(boundsOf(ChartBounds::startFor(SharedState::initial().scale)), (QList<float>{31, 1, 1}));
        QCOMPARE(boundsOf(ChartBounds::startFor(narrow)), (QList<float>{53, 47, 0.2f}));
        COMPARE_FLOAT_EXACTLY(narrow.valueOf(0.0), 46.8f);
        COMPARE_FLOAT_EXACTLY(narrow.valueOf(16.6), 50.12f);
    }

    // Each row feeds its values to all three bounds. The first value replaces
    // a start value even inside it; later ones only widen.
    void trackBounds_data()
    {
        using F = QList<float>;
        QTest::addColumn<Scale>("scale");
        QTest::addColumn<F>("fed");
        QTest::addColumn<F>("expected");  // maxX, minX, maxR
        QTest::newRow("max, min: first inside, widen only") << Scale() << F{2, 3, 1.5f, 2.5f} << F{3, 1.5f, 3};
        QTest::newRow("range: first inside, widen only") << Scale() << F{0.5f, 0.8f, 0.3f, 0.6f} << F{0.8f, 0.3f, 0.8f};
        // Centre + half-width is no exact float sum, yet the start values are recognised.
        QTest::newRow("inexact start values") << Scale{0.1f, 0.2f} << F{0.001f} << F(3, 0.001f);
        // Limits of an overflowing scale must not stick in the bounds.
        QTest::newRow("nan is ignored") << Scale() << F{float(qQNaN()), 20} << F(3, 20);
        QTest::newRow("infinities are ignored") << Scale() << F{8.5f, float(qInf()), -float(qInf())} << F(3, 8.5f);
    }
    void trackBounds()
    {
        QFETCH(Scale, scale);
        QFETCH(QList<float>, fed);
        ChartBounds bounds = ChartBounds::startFor(scale);
        for (float value : fed) {
            bounds.trackMaxX(value, scale);
            bounds.trackMinX(value, scale);
            bounds.trackMaxR(value, scale);
        }
        QTEST(boundsOf(bounds), "expected");
    }

    // A2, D3, D4 and d2 for n = 1 (individuals: A2 = 3 / 1.128), 2, 5, 7 (the first non-zero D3)
    // and 15 (the last); n is clamped to 1..15.
    void controlFactors()
    {
        const ControlFactors f = ControlFactors::load();
        const QMap<int, QList<float>> expected{{1, {2.66f, 0.0f, 3.268f, 1.128f}}, {2, {1.88f, 0.0f, 3.268f, 1.128f}},
                                               {5, {0.577f, 0.0f, 2.114f, 2.326f}}, {7, {0.419f, 0.076f, 1.924f, 2.704f}},
                                               {15, {0.223f, 0.347f, 1.653f, 3.472f}}};
        for (const auto &[n, values] : expected.asKeyValueRange())
            QCOMPARE((QList<float>{f.A2[n], f.D3[n], f.D4[n], f.d2[n]}), values);
        const auto indexFor = ControlFactors::indexFor;
        QCOMPARE((QList<int>{indexFor(-4), indexFor(0), indexFor(7), indexFor(15), indexFor(16)}),
                 (QList<int>{1, 1, 7, 15, 15}));
    }

    // Never fewer than two required decimals; the mean one optional decimal more, the range two.
    void displayFormats()
    {
        QCOMPARE(formatsOf(1), (QStringList{"00.00", "00.00#", "00.00##"}));
        QCOMPARE(formatsOf(2), (QStringList{"00.00", "00.00#", "00.00##"}));
        QCOMPARE(formatsOf(3), (QStringList{"00.000", "00.000#", "00.000##"}));
        QCOMPARE(formatsOf(4), (QStringList{"00.0000", "00.0000#", "00.0000##"}));
    }
};

QTEST_GUILESS_MAIN(TestScale)
#include "tst_scale.moc"
