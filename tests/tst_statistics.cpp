// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/capability.h"
#include "core/controllimits.h"
#include "core/numberformat.h"
#include "core/samplespread.h"
#include "core/subgrouprecord.h"

#include <QtTest>

using namespace kelvara;

static const QLocale english(QLocale::English, QLocale::UnitedStates);
static const QLocale german(QLocale::German, QLocale::Germany);
using F = QList<float>;

// Subgroups of size n as the drop cycle leaves them in the slot table, and the k the limits rest on.
struct Subgroups { int n, k; F averages, ranges; Scale scale = {}; QLocale locale = english; };
Q_DECLARE_METATYPE(Subgroups)
Q_DECLARE_METATYPE(kelvara::CapabilityInput)

// Every reading in the record is 1, so reading the wrong column shows.
static LimitTexts fixLimits(RunState &run, const SharedState &shared, const Subgroups &groups)
{
    SubgroupRecord record;
    record.clear(groups.n);
    for (int row = 0; row < groups.averages.size(); ++row) {
        SubgroupRow subgroup;
        subgroup.positions = QList<float>(groups.n, 1.0f);
        subgroup.slotAverage = groups.averages[row];
        subgroup.slotRange = int16(groups.ranges[row]);
        subgroup.complete = true;
        record.appendRow(subgroup);
    }
    return fixControlLimits(run, shared, record, groups.n, groups.k, groups.locale);
}

class TestStatistics : public QObject {
    Q_OBJECT
private slots:
    void init() { QLocale::setDefault(english); }

    void controlLimits_data()
    {
        QTest::addColumn<Subgroups>("groups");
        QTest::addColumn<QString>("xText");
        QTest::addColumn<QString>("rText");
        QTest::addColumn<F>("values");  // X-double-bar, R-bar, then the bounds maxX, minX, maxR
        // UCLx = 16 + 0.577 x 4, LCLx = 16 - 0.577 x 4, UCLr = 2.114 x 4, LCLr = 0 x 4; the
        // rows after the k-th are not read.
        QTest::newRow("n = 5, k = 20") << Subgroups{5, 20, F(20, 16) << 30 << 1, F(20, 4) << 30 << 30}
            << "Mean X-Bar = 16.00     UCLx = 18.308     LCLx = 13.692"
            << "R-Bar = 04.00     UCLr = 08.456     LCLr = 00.00"
            << F{16, 4, 18.308f, 13.692f, 8.456f};
        // Mean 83 / 5; the first row's range is left out: (1 + 2 + 1 + 0) / (k - 1) = 1.
        QTest::newRow("n = 1, k = 5: individuals") << Subgroups{1, 5, {15, 16, 18, 17, 17}, {9, 1, 2, 1, 0}}
            << "X-Bar = 16.60     UCLx = 19.26     LCLx = 13.94"
            << "MR-Bar = 01.00     UCLmr = 03.268     LCLmr = 00.00"
            << F{16.6f, 1, 19.26f, 13.94f, 3.268f};
        // Slot mean 16 is the centre 50; slot range 4 is 4 x 0.2 = 0.8 units.
        QTest::newRow("50 +- 3 maps the mean, scales ranges") << Subgroups{5, 20, F(20, 16), F(20, 4), Scale{50, 3}}
            << "Mean X-Bar = 50.00     UCLx = 50.462     LCLx = 49.538"
            << "R-Bar = 00.80     UCLr = 01.6912     LCLr = 00.00"
            << F{50, 0.8f, 50.4616f, 49.5384f, 1.6912f};
        QTest::newRow("n = 7: D3 = 0.076 gives a lower range limit") << Subgroups{7, 5, F(5, 16), F(5, 4)}
            << "Mean X-Bar = 16.00     UCLx = 17.676     LCLx = 14.324"
            << "R-Bar = 04.00     UCLr = 07.696     LCLr = 00.304"
            << F{16, 4, 17.676f, 14.324f, 7.696f};
    }
    void controlLimits()
    {
        QFETCH(Subgroups, groups);
        SharedState shared = SharedState::initial();
        shared.scale = groups.scale;
        RunState run;
        const LimitTexts texts = fixLimits(run, shared, groups);
        QTEST(texts.x, "xText");
        QTEST(texts.r, "rText");
        // The first values fed replace the start bounds: the charts zoom to the limits.
        ChartBounds bounds = ChartBounds::startFor(groups.scale);
        takeInLimits(bounds, limitsFor(run.xBarBar, run.rBar, groups.n, shared.factors), shared.scale);
        QFETCH(F, values);
        const F actual{run.xBarBar, run.rBar, bounds.maxX, bounds.minX, bounds.maxR};
        for (int i = 0; i < values.size(); ++i)
            QCOMPARE(actual[i], values[i]);  // fuzzy: the limits are rounded to float
    }

    // Bounds already widened by plotted data are only widened further. The
    // table is read in the comma locale: a point reading would not make 16.5.
    void controlLimitsOnlyWidenSetBounds()
    {
        const SharedState shared = SharedState::initial();
        ChartBounds bounds = ChartBounds::startFor(shared.scale);
        bounds.trackMaxX(25, shared.scale);
        bounds.trackMinX(15, shared.scale);
        bounds.trackMaxR(12, shared.scale);
        RunState run;
        const LimitTexts texts = fixLimits(run, shared, {5, 20, F(20, 16.5f), F(20, 4), {}, german});
        QCOMPARE(texts.x, QStringLiteral("Mean X-Bar = 16,50     UCLx = 18,808     LCLx = 14,192"));
        takeInLimits(bounds, limitsFor(run.xBarBar, run.rBar, 5, shared.factors), shared.scale);
        QCOMPARE(bounds.maxX, 25.0f);
        QCOMPARE(bounds.minX, 14.192f);
        QCOMPARE(bounds.maxR, 12.0f);
    }

    void capability_data()
    {
        QTest::addColumn<CapabilityInput>("input");
        QTest::addColumn<QStringList>("cpCpk");  // empty: hidden; the comma locale is performance's
        auto row = [](const char *name, const CapabilityInput &input, const QStringList &cpCpk) {
            QTest::newRow(name) << input << cpCpk;
        };
        // n = 5, k = 20, sigma = 4 / 2.326: Cp = 30 / 10.318, Cpk = the nearer limit's distance / 5.159.
        const CapabilityInput centred{
            .subgroupCount = 20, .showSpecLimits = true, .xBarBar = 16, .rBar = 4, .d2 = 2.326f, .usl = 31, .lsl = 1};
        auto with = [&centred](auto change) { CapabilityInput input = centred; change(input); return input; };
        row("centred: Cp equals Cpk", centred, {"2.91", "2.91"});
        row("upper side, shown past k", with([](auto &i) { i.subgroupCount = 25; i.xBarBar = 18; }), {"2.91", "2.52"});
        row("lower side", with([](auto &i) { i.xBarBar = 14; }), {"2.91", "2.52"});
        row("mean outside the limits: negative Cpk", with([](auto &i) { i.xBarBar = 35; }), {"2.91", "-0.78"});
        row("limits off show No Spec, even for a changed process",
            with([](auto &i) { i.showSpecLimits = false; i.processUnchanged = false; }), {"No Spec", "No Spec"});
        row("changed process shows NA", with([](auto &i) { i.processUnchanged = false; }), {"NA", "NA"});
        row("zero spread: NA, never inf or nan", with([](auto &i) { i.rBar = 0; i.xBarBar = 31; }), {"NA", "NA"});
        // Until the k-th subgroup the mean and range are an earlier run's.
        row("hidden one subgroup before k", with([](auto &i) { i.subgroupCount = 19; }), {});
    }
    void capability()
    {
        QFETCH(CapabilityInput, input);
        const CapabilityView view = capabilityView(input, english);
        QTEST((view.visible ? QStringList{view.cp, view.cpk} : QStringList()), "cpCpk");
    }

    // Pp and Ppk from every reading of the measurement table, beside Cp and Cpk.
    void performance_data()
    {
        QTest::addColumn<F>("readings"); // subgroups of two
        QTest::addColumn<bool>("unchanged");
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QStringList>("indices"); // Cp, Cpk, Pp, Ppk
        // Mean 22, s = sqrt(8 / 3): Pp = 30 / 6s = 3.06, Ppk = (31 - 22) / 3s = 1.84.
        const F spread{20, 22, 24, 22};
        QTest::newRow("Pp and Ppk") << spread << true << english << QStringList{"2.91", "2.91", "3.06", "1.84"};
        QTest::newRow("comma locale") << spread << true << german << QStringList{"2,91", "2,91", "3,06", "1,84"};
        QTest::newRow("still computed after a funnel move") << spread << false << english
                                                            << QStringList{"NA", "NA", "3.06", "1.84"};
        QTest::newRow("no spread: NA") << F(4, 16) << true << english << QStringList{"2.91", "2.91", "NA", "NA"};
    }
    void performance()
    {
        QFETCH(F, readings);
        QFETCH(bool, unchanged);
        QFETCH(QLocale, locale);
        SubgroupRecord record;
        record.clear(2);
        const int subgroups = int(readings.size() + 1) / 2;
        for (int i = 0; i <= readings.size(); i += 2) {
            SubgroupRow row;
            row.readings = i < readings.size() ? readings.mid(i, 2) : F{99, 99}; // a row past the count is not read
            record.appendRow(row);
        }
        CapabilityInput input{.subgroupCount = 20, .showSpecLimits = true, .processUnchanged = unchanged,
                              .xBarBar = 16, .rBar = 4, .d2 = 2.326f, .usl = 31, .lsl = 1};
        input.readings = readingSpread(record, subgroups);
        const CapabilityView view = capabilityView(input, locale);
        QTEST((QStringList{view.cp, view.cpk, view.pp, view.ppk}), "indices");
        input.showSpecLimits = false;
        QCOMPARE(capabilityView(input, locale).ppk, QStringLiteral("No Spec"));
    }
};

QTEST_GUILESS_MAIN(TestStatistics)
#include "tst_statistics.moc"
