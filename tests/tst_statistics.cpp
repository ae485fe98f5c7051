#include "core/capability.h"
#include "core/controllimits.h"
#include "core/numberformat.h"

#include <QtTest>

using namespace kelvara;

namespace {

const QLocale english(QLocale::English, QLocale::UnitedStates);
const QLocale german(QLocale::German, QLocale::Germany);

// The slot table of k subgroups of size n as the drop cycle leaves it: every
// reading of a row is 1 (so reading the wrong column shows), the average
// column holds the averages and the range column the ranges.
void fillSlotTable(MemoryTable &table, int n, const QList<float> &averages, const QList<float> &ranges,
                   const QLocale &locale)
{
    resetSubgroupTable(table, n);
    table.setRowCount(int(averages.size()) + 1);
    for (int row = 1; row <= averages.size(); ++row) {
        for (int column = 1; column <= n; ++column)
            table.setText(row, column, QStringLiteral("1"));
        table.setText(row, n + 1, plainNumber(averages[row - 1], locale));
        table.setText(row, n + 2, plainNumber(ranges[row - 1], locale));
    }
}

QList<float> repeated(float value, int count)
{
    return QList<float>(count, value);
}

} // namespace

class TestStatistics : public QObject {
    Q_OBJECT
private slots:
    void init() { QLocale::setDefault(english); }

    void controlLimits_data()
    {
        QTest::addColumn<int>("n");
        QTest::addColumn<int>("k");
        QTest::addColumn<QList<float>>("averages");
        QTest::addColumn<QList<float>>("ranges");
        QTest::addColumn<float>("center");
        QTest::addColumn<float>("halfWidth");
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<float>("xBarBar");
        QTest::addColumn<float>("rBar");
        QTest::addColumn<QString>("xText");
        QTest::addColumn<QString>("rText");
        QTest::addColumn<float>("maxX");
        QTest::addColumn<float>("minX");
        QTest::addColumn<float>("maxR");

        const QList<float> individuals{15, 16, 18, 17, 17};
        const QList<float> movingRanges{0, 1, 2, 1, 0};

        // UCLx = 16 + 0.577 x 4, LCLx = 16 - 0.577 x 4, UCLr = 2.114 x 4, LCLr = 0 x 4.
        QTest::newRow("n = 5 k = 20 default scale")
            << 5 << 20 << repeated(16, 20) << repeated(4, 20) << 16.0f << 15.0f << english << 16.0f << 4.0f
            << "Mean X-Bar = 16.00     UCLx = 18.308     LCLx = 13.692"
            << "R-Bar = 04.00     UCLr = 08.456     LCLr = 00.00" << 18.308f << 13.692f << 8.456f;
        QTest::newRow("rows after the k-th are not read")
            << 5 << 20 << (repeated(16, 20) << 30.0f << 1.0f) << (repeated(4, 20) << 30.0f << 30.0f)
            << 16.0f << 15.0f << english << 16.0f << 4.0f
            << "Mean X-Bar = 16.00     UCLx = 18.308     LCLx = 13.692"
            << "R-Bar = 04.00     UCLr = 08.456     LCLr = 00.00" << 18.308f << 13.692f << 8.456f;
        // Grand mean 83 / 5 = 16.6; moving ranges 1, 2, 1, 0 over k - 1 = 4 rows give 1;
        // UCLx = 16.6 + 2.66, LCLx = 16.6 - 2.66, UCLmr = 3.268.
        QTest::newRow("n = 1 k = 5 individuals and moving ranges")
            << 1 << 5 << individuals << movingRanges << 16.0f << 15.0f << english << 16.6f << 1.0f
            << "X-Bar = 16.60     UCLx = 19.26     LCLx = 13.94"
            << "MR-Bar = 01.00     UCLmr = 03.268     LCLmr = 00.00" << 19.26f << 13.94f << 3.268f;
        QTest::newRow("n = 1 leaves the first row's range out")
            << 1 << 5 << individuals << QList<float>{9, 1, 2, 1, 0} << 16.0f << 15.0f << english << 16.6f
            << 1.0f << "X-Bar = 16.60     UCLx = 19.26     LCLx = 13.94"
            << "MR-Bar = 01.00     UCLmr = 03.268     LCLmr = 00.00" << 19.26f << 13.94f << 3.268f;
        // Slot mean 16 is the centre 50; slot range 4 is 4 x 0.2 = 0.8 measurement units;
        // UCLx = 50 + 0.577 x 0.8 = 50.4616, UCLr = 2.114 x 0.8 = 1.6912.
        QTest::newRow("narrow scale maps the mean and multiplies ranges by 0.2")
            << 5 << 20 << repeated(16, 20) << repeated(4, 20) << 50.0f << 3.0f << english << 50.0f << 0.8f
            << "Mean X-Bar = 50.00     UCLx = 50.462     LCLx = 49.538"
            << "R-Bar = 00.80     UCLr = 01.6912     LCLr = 00.00" << 50.4616f << 49.5384f << 1.6912f;
        // n = 7: D3 = 0.076 gives a non-zero lower range limit 0.076 x 4 = 0.304.
        QTest::newRow("n = 7 has a lower range limit")
            << 7 << 5 << repeated(16, 5) << repeated(4, 5) << 16.0f << 15.0f << english << 16.0f << 4.0f
            << "Mean X-Bar = 16.00     UCLx = 17.676     LCLx = 14.324"
            << "R-Bar = 04.00     UCLr = 07.696     LCLr = 00.304" << 17.676f << 14.324f << 7.696f;
        // Averages 15.5 and 16.5 alternate: read in the comma locale they make 16.
        QList<float> alternating;
        for (int i = 0; i < 10; ++i)
            alternating << 15.5f << 16.5f;
        QTest::newRow("comma locale reads the table and writes the texts")
            << 5 << 20 << alternating << repeated(4, 20) << 16.0f << 15.0f << german << 16.0f << 4.0f
            << "Mean X-Bar = 16,00     UCLx = 18,308     LCLx = 13,692"
            << "R-Bar = 04,00     UCLr = 08,456     LCLr = 00,00" << 18.308f << 13.692f << 8.456f;
    }

    void controlLimits()
    {
        QFETCH(int, n);
        QFETCH(int, k);
        QFETCH(QList<float>, averages);
        QFETCH(QList<float>, ranges);
        QFETCH(float, center);
        QFETCH(float, halfWidth);
        QFETCH(QLocale, locale);

        SharedState shared = SharedState::initial();
        shared.scale.center = center;
        shared.scale.halfWidth = halfWidth;
        shared.bounds = ChartBounds::startFor(shared.scale);
        RunState run;
        MemoryTable slotTable;
        fillSlotTable(slotTable, n, averages, ranges, locale);

        const LimitTexts texts = fixControlLimits(run, shared, slotTable, n, k, locale);

        QTEST(run.xBarBar, "xBarBar");
        QTEST(run.rBar, "rBar");
        QTEST(texts.x, "xText");
        QTEST(texts.r, "rText");
        // The first values fed replace the start values: the charts zoom to the limits.
        QTEST(shared.bounds.maxX, "maxX");
        QTEST(shared.bounds.minX, "minX");
        QTEST(shared.bounds.maxR, "maxR");
    }

    // Bounds already widened by plotted data are only widened further.
    void controlLimitsOnlyWidenSetBounds()
    {
        SharedState shared = SharedState::initial();
        shared.bounds.trackMaxX(25.0f, shared.scale);
        shared.bounds.trackMinX(14.0f, shared.scale);
        shared.bounds.trackMaxR(12.0f, shared.scale);
        RunState run;
        MemoryTable slotTable;
        fillSlotTable(slotTable, 5, repeated(16, 20), repeated(4, 20), english);

        fixControlLimits(run, shared, slotTable, 5, 20);

        QCOMPARE(shared.bounds.maxX, 25.0f);
        QCOMPARE(shared.bounds.minX, 13.692f);
        QCOMPARE(shared.bounds.maxR, 12.0f);
    }

    void capability_data()
    {
        QTest::addColumn<int>("subgroupCount");
        QTest::addColumn<int>("n");
        QTest::addColumn<bool>("showSpecLimits");
        QTest::addColumn<bool>("processUnchanged");
        QTest::addColumn<float>("xBarBar");
        QTest::addColumn<float>("rBar");
        QTest::addColumn<float>("lsl");
        QTest::addColumn<float>("usl");
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<bool>("visible");
        QTest::addColumn<QString>("cp");
        QTest::addColumn<QString>("cpk");

        // k = 20 throughout. sigma = 4 / 2.326 = 1.7197: Cp = 30 / 10.318 = 2.9075,
        // Cpk = 15 / 5.159 on both sides.
        QTest::newRow("centred process: Cp equals Cpk")
            << 20 << 5 << true << true << 16.0f << 4.0f << 1.0f << 31.0f << english << true << "2.91" << "2.91";
        QTest::newRow("mean above centre: upper side 13 / 5.159 is shown")
            << 25 << 5 << true << true << 18.0f << 4.0f << 1.0f << 31.0f << english << true << "2.91" << "2.52";
        QTest::newRow("mean below centre: lower side 13 / 5.159 is shown")
            << 25 << 5 << true << true << 14.0f << 4.0f << 1.0f << 31.0f << english << true << "2.91" << "2.52";
        // Cp = 10 / 10.318 = 0.969; Cpk = min(6, 4) / 5.159 = 0.775.
        QTest::newRow("index below one keeps its leading zero")
            << 20 << 5 << true << true << 16.0f << 4.0f << 10.0f << 20.0f << english << true << "0.97" << "0.78";
        // Cpk upper = (31 - 35) / 5.159 = -0.775.
        QTest::newRow("mean outside the limits gives a negative Cpk")
            << 20 << 5 << true << true << 35.0f << 4.0f << 1.0f << 31.0f << english << true << "2.91" << "-0.78";
        // n = 1: sigma = 1 / 1.128; Cp = 30 / 5.3191 = 5.640; Cpk upper = 14.4 / 2.6596 = 5.414.
        QTest::newRow("individuals use d2 of a moving range of two")
            << 5 << 1 << true << true << 16.6f << 1.0f << 1.0f << 31.0f << english << true << "5.64" << "5.41";
        // sigma = 0.8 / 2.326 = 0.34394: Cp = 4 / 2.0636 = 1.938.
        QTest::newRow("narrow scale limits")
            << 20 << 5 << true << true << 50.0f << 0.8f << 48.0f << 52.0f << english << true << "1.94" << "1.94";
        QTest::newRow("comma locale")
            << 20 << 5 << true << true << 18.0f << 4.0f << 1.0f << 31.0f << german << true << "2,91" << "2,52";
        QTest::newRow("limits off shows No Spec")
            << 20 << 5 << false << true << 16.0f << 4.0f << 1.0f << 31.0f << english << true << "No Spec"
            << "No Spec";
        QTest::newRow("limits off wins over a changed process")
            << 20 << 5 << false << false << 16.0f << 4.0f << 1.0f << 31.0f << english << true << "No Spec"
            << "No Spec";
        QTest::newRow("changed process shows NA")
            << 30 << 5 << true << false << 16.0f << 4.0f << 1.0f << 31.0f << english << true << "NA" << "NA";
        QTest::newRow("zero mean range shows NA, never inf or nan")
            << 20 << 5 << true << true << 16.0f << 0.0f << 1.0f << 31.0f << english << true << "NA" << "NA";
        QTest::newRow("zero mean range with the mean on a limit shows NA")
            << 20 << 5 << true << true << 31.0f << 0.0f << 1.0f << 31.0f << english << true << "NA" << "NA";
        // Until the k-th subgroup the mean and range are an earlier run's: hidden.
        QTest::newRow("hidden one subgroup before k")
            << 19 << 5 << true << true << 16.0f << 4.0f << 1.0f << 31.0f << english << false << "" << "";
        QTest::newRow("hidden after reset")
            << 0 << 5 << false << true << 16.0f << 4.0f << 1.0f << 31.0f << english << false << "" << "";
    }

    void capability()
    {
        QFETCH(int, subgroupCount);
        QFETCH(int, n);
        QFETCH(bool, showSpecLimits);
        QFETCH(bool, processUnchanged);
        QFETCH(float, xBarBar);
        QFETCH(float, rBar);
        QFETCH(float, lsl);
        QFETCH(float, usl);
        QFETCH(QLocale, locale);

        CapabilityInput input;
        input.subgroupCount = subgroupCount;
        input.k = n == 1 ? 5 : 20;
        input.n = n;
        input.showSpecLimits = showSpecLimits;
        input.processUnchanged = processUnchanged;
        input.xBarBar = xBarBar;
        input.rBar = rBar;
        input.d2 = ControlFactors::load().d2[n];
        input.lsl = lsl;
        input.usl = usl;

        const CapabilityView view = capabilityView(input, locale);
        QTEST(view.visible, "visible");
        if (view.visible) {
            QTEST(view.cp, "cp");
            QTEST(view.cpk, "cpk");
        }
    }
};

QTEST_GUILESS_MAIN(TestStatistics)
#include "tst_statistics.moc"
