// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/chartframe.h"
#include "core/labelplacement.h"

#include <QtTest>

using namespace kelvara;

// Expected frames worked by hand: h = fraction x provisional height; the upper
// top T = floor(top + 2h + 1) from 1 in size up, the next tenth below; the
// base B = floor(bottom - h) or the tenth below; edges T + h and B - 2h.
// The lower chart is based at 0 and its top gets h once.
class TestChartFrame : public QObject {
    Q_OBJECT
private slots:
    void frame_data()
    {
        QTest::addColumn<bool>("upper");
        QTest::addColumn<float>("maxX"); // the largest range for the lower chart
        QTest::addColumn<float>("minX");
        QTest::addColumn<double>("fraction");
        QTest::addColumn<float>("highest");
        QTest::addColumn<float>("base");
        QTest::addColumn<float>("top");
        QTest::addColumn<float>("bottom");
        // 32.5 / -0.5, h = 1.65: T = floor(36.8), B = floor(-2.15)
        QTest::newRow("upper: start bounds 31 and 1")
            << true << 31.0f << 1.0f << 0.05 << 36.0f << -3.0f << 37.65f << -6.3f;
        // one average 16.4: 17.22 / 15.58, h = 0.082
        QTest::newRow("upper: first average, 5 % either way")
            << true << 16.4f << 16.4f << 0.05 << 18.0f << 15.0f << 18.082f << 14.836f;
        // 16.8 / 15.2, h = 0.16: floor(18.12) = 18, where one h only would give 17
        QTest::newRow("upper: whole-unit top gets h twice")
            << true << 16.0f << 16.0f << 0.1 << 18.0f << 15.0f << 18.16f << 14.68f;
        // -1.6 / -10.4, h = 0.44: T = floor(0.28), B = floor(-10.84)
        QTest::newRow("upper: negative values")
            << true << -2.0f << -10.0f << 0.05 << 0.0f << -11.0f << 0.44f << -11.88f;
        // -0.18 / -0.62, h = 0.022: tenths of -0.158 and -0.642
        QTest::newRow("upper: negative below 1 in tenths")
            << true << -0.2f << -0.6f << 0.05 << -0.1f << -0.7f << -0.078f << -0.744f;
        // -9.5 / -10.5 (5 % of the size, top above bottom), h = 0.05
        QTest::newRow("upper: one negative average")
            << true << -10.0f << -10.0f << 0.05 << -9.0f << -11.0f << -8.95f << -11.1f;
        // no height: h = 0 for the rounding, margins from the rounded 0.1
        QTest::newRow("upper: zero range") << true << 0.0f << 0.0f << 0.05 << 0.1f << 0.0f << 0.105f << -0.01f;
        // 0.4095 + h 0.020475 = 0.43 rounds up to the next tenth
        QTest::newRow("lower: 0.43 becomes 0.5")
            << false << 0.39f << 0.0f << 0.05 << 0.5f << 0.0f << 0.520475f << -0.061425f;
        // 4.2 + h 0.42 = 4.62: floor(5.62), with no second h
        QTest::newRow("lower: whole units") << false << 4.0f << 0.0f << 0.1 << 5.0f << 0.0f << 5.42f << -1.26f;
        // a first range of 0: a frame from 0 to 1, margins from it
        QTest::newRow("lower: zero range") << false << 0.0f << 0.0f << 0.05 << 1.0f << 0.0f << 1.05f << -0.15f;
    }

    void frame()
    {
        QFETCH(bool, upper);
        QFETCH(float, maxX);
        QFETCH(float, minX);
        QFETCH(double, fraction);
        const ChartFrame frame = upper ? xBarChartFrame(maxX, minX, fraction) : rangeChartFrame(maxX, fraction);
        QTEST(frame.highest, "highest");
        QTEST(frame.base, "base");
        QTEST(frame.top, "top");
        QTEST(frame.bottom, "bottom");
        QCOMPARE(frame.gridline(2), (double(frame.base) + double(frame.highest)) / 2.0);
        QCOMPARE(frame.gridline(4), double(frame.highest));
    }

    // A rule label 1 high beside a point at 5, 0.5 away, in a chart from 0 to 10,
    // keeping 0.25 from every line: the nearer clear side, past lines if need be.
    void ruleLabelPlace_data()
    {
        QTest::addColumn<QList<double>>("lines");
        QTest::addColumn<double>("highest");
        QTest::addColumn<double>("top");
        QTest::newRow("free above") << QList<double>{0.0, 3.0} << 10.0 << 6.5;
        QTest::newRow("a limit just above: below") << QList<double>{0.0, 6.0} << 10.0 << 4.5;
        QTest::newRow("the chart's top just above: below") << QList<double>{0.0} << 6.2 << 4.5;
        QTest::newRow("lines close on both sides: past the nearer") << QList<double>{3.8, 5.9} << 10.0 << 7.15;
        QTest::newRow("past two lines") << QList<double>{3.9, 5.8, 6.8, 3.0, 2.2} << 10.0 << 8.05;
        QTest::newRow("no clear place: just above") << QList<double>{4.4, 5.8, 6.6, 7.4, 8.2, 9.0, 3.6, 2.8, 2.0, 1.2}
                                                    << 10.0 << 6.5;
    }
    void ruleLabelPlace()
    {
        QFETCH(QList<double>, lines);
        QFETCH(double, highest);
        const LabelRoom room{{lines.begin(), lines.end()}, 0.0, highest, 0.25};
        QTEST(labelTopBeside(5.0, 0.5, 1.0, room), "top");
    }
};

QTEST_APPLESS_MAIN(TestChartFrame)
#include "tst_chartframe.moc"
