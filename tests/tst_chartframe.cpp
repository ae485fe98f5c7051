#include "core/chartframe.h"

#include <QtTest>

#include <cmath>

using namespace kelvara;

// Expected frames worked by hand: h = fraction x provisional height; the upper
// top T = floor(top + 2h + 1) from 1 in size up, the next tenth below; the
// base B = floor(bottom - h) or the tenth below; edges T + h and B - 2h.
class TestChartFrame : public QObject {
    Q_OBJECT
private slots:
    void upperFrame_data()
    {
        QTest::addColumn<float>("maxX");
        QTest::addColumn<float>("minX");
        QTest::addColumn<double>("fraction");
        QTest::addColumn<float>("highest");
        QTest::addColumn<float>("base");
        QTest::addColumn<float>("top");
        QTest::addColumn<float>("bottom");
        // 32.5 / -0.5, h = 1.65: T = floor(36.8), B = floor(-2.15)
        QTest::newRow("start bounds 31 and 1") << 31.0f << 1.0f << 0.05 << 36.0f << -3.0f << 37.65f << -6.3f;
        // one average 16.4: 17.22 / 15.58, h = 0.082
        QTest::newRow("first average, 5 % either way") << 16.4f << 16.4f << 0.05 << 18.0f << 15.0f << 18.082f << 14.836f;
        // 16.8 / 15.2, h = 0.16: floor(18.12) = 18, where one h only would give 17
        QTest::newRow("whole-unit top gets h twice") << 16.0f << 16.0f << 0.1 << 18.0f << 15.0f << 18.16f << 14.68f;
        // -1.6 / -10.4, h = 0.44: T = floor(0.28), B = floor(-10.84)
        QTest::newRow("negative values") << -2.0f << -10.0f << 0.05 << 0.0f << -11.0f << 0.44f << -11.88f;
        // -0.18 / -0.62, h = 0.022: tenths of -0.158 and -0.642
        QTest::newRow("negative below 1 in tenths") << -0.2f << -0.6f << 0.05 << -0.1f << -0.7f << -0.078f << -0.744f;
        // -9.5 / -10.5 (5 % of the size, top above bottom), h = 0.05
        QTest::newRow("one negative average") << -10.0f << -10.0f << 0.05 << -9.0f << -11.0f << -8.95f << -11.1f;
        // no height: h = 0 for the rounding, margins from the rounded 0.1
        QTest::newRow("zero range") << 0.0f << 0.0f << 0.05 << 0.1f << 0.0f << 0.105f << -0.01f;
    }

    void upperFrame()
    {
        QFETCH(float, maxX);
        QFETCH(float, minX);
        QFETCH(double, fraction);
        QFETCH(float, highest);
        QFETCH(float, base);
        QFETCH(float, top);
        QFETCH(float, bottom);
        const ChartFrame frame = xBarChartFrame(maxX, minX, fraction);
        QCOMPARE(frame.highest, highest);
        QCOMPARE(frame.base, base);
        QVERIFY(qAbs(frame.top - top) < 1e-5f);
        QVERIFY(qAbs(frame.bottom - bottom) < 1e-5f);
        QVERIFY(frame.base <= minX && frame.highest >= maxX);
        QCOMPARE(frame.gridline(2), (double(frame.base) + double(frame.highest)) / 2.0);
    }

    void lowerFrame_data()
    {
        QTest::addColumn<float>("maxR");
        QTest::addColumn<double>("fraction");
        QTest::addColumn<float>("highest");
        QTest::addColumn<float>("top");
        QTest::addColumn<float>("bottom");
        // 0.4095 + h 0.020475 = 0.43 rounds up to the next tenth
        QTest::newRow("0.43 becomes 0.5") << 0.39f << 0.05 << 0.5f << 0.520475f << -0.061425f;
        // 4.2 + h 0.42 = 4.62: floor(5.62), with no second h
        QTest::newRow("whole units") << 4.0f << 0.1 << 5.0f << 5.42f << -1.26f;
        // a first range of 0: a frame from 0 to 1, margins from it
        QTest::newRow("zero range") << 0.0f << 0.05 << 1.0f << 1.05f << -0.15f;
    }

    void lowerFrame()
    {
        QFETCH(float, maxR);
        QFETCH(double, fraction);
        QFETCH(float, highest);
        QFETCH(float, top);
        QFETCH(float, bottom);
        const ChartFrame frame = rangeChartFrame(maxR, fraction);
        QCOMPARE(frame.base, 0.0f);
        QCOMPARE(frame.highest, highest);
        QVERIFY(qAbs(frame.top - top) < 1e-5f);
        QVERIFY(qAbs(frame.bottom - bottom) < 1e-5f);
        QCOMPARE(frame.gridline(4), double(frame.highest));
    }
};

QTEST_APPLESS_MAIN(TestChartFrame)
#include "tst_chartframe.moc"
