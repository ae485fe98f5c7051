// SPDX-License-Identifier: GPL-3.0-or-later
// The run rules at their boundaries, worked by hand and read independently; the signals of a
// run and their words; and through the real windows a seeded Run with a funnel move: its
// signal list, detection label, pictures, paging to a signal and the remembered menu item.

#include "rundriver.h"
#include "readability.h"
#include "testsupport.h"

#include "common/sharedstore.h"
#include "core/controlfactors.h"
#include "core/numberformat.h"
#include "core/runrules.h"
#include "core/runsignals.h"
#include "core/signaltexts.h"
#include "core/subgrouprecord.h"
#include "reports/controlchartswindow.h"
#include "surface/drawingsurface.h"
#include "surface/palette.h"

#include <QLabel>
#include <QListWidget>
#include <QTableWidget>

using namespace kelvara;
using namespace testsupport;

Q_DECLARE_METATYPE(kelvara::ChartLines)

namespace {

// Centre 10 with limits 13 and 7: the zone lines lie at 11, 12 above and 9, 8 below.
const ChartLines symmetric{10, 13, 7};

// The rules of every point, as the program finds them.
QList<RuleSet> rulesOfEach(const QList<float> &points, const ChartLines &lines)
{
    QList<RuleSet> found;
    for (qsizetype i = 0; i < points.size(); ++i)
        found.append(meanChartRules(points, i, lines));
    return found;
}

// The rule numbers of every point, "-" for none: "- - 2,4".
QString perPoint(const QList<RuleSet> &rules)
{
    QStringList words;
    for (RuleSet set : rules)
        words.append(set ? ruleNumbers(set, ",") : "-");
    return words.join(u' ');
}

// The rules read independently, in sigma units: each point gets its zone, +1
// to +3 beyond the 1-, 2- and 3-sigma lines above (-1 to -3 below), 0.5 when
// just above the centre (-0.5 below) and 0 on it; then each rule is a count
// of zones over the points that end with the point.
QList<RuleSet> referenceMeanRules(const QList<float> &points, const ChartLines &lines)
{
    QList<double> zone;
    for (float v : points) {
        const double up = (double(lines.upper) - lines.centre) / 3.0, down = (lines.centre - double(lines.lower)) / 3.0;
        double z = v > lines.centre ? 0.5 : v < lines.centre ? -0.5 : 0.0;
        for (int j = 1; j <= 3; ++j) {
            if (v > lines.centre + j * up)
                z = j;
            if (v < lines.centre - j * down)
                z = -j;
        }
        zone.append(z);
    }
    QList<RuleSet> rules;
    for (qsizetype i = 0; i < zone.size(); ++i) {
        RuleSet set = std::abs(zone[i]) == 3 ? ruleBit(1) : 0;
        for (double side : {1.0, -1.0}) {
            const auto windowCount = [&](int window, double least) {
                if (i + 1 < window)
                    return 0;
                int n = 0;
                for (qsizetype p = i - window + 1; p <= i; ++p)
                    n += side * zone[p] >= least ? 1 : 0;
                return n;
            };
            if (side * zone[i] >= 2 && windowCount(3, 2) >= 2)
                set |= ruleBit(2);
            if (side * zone[i] >= 1 && windowCount(5, 1) >= 4)
                set |= ruleBit(3);
            if (windowCount(8, 0.5) == 8)
                set |= ruleBit(4);
        }
        rules.append(set);
    }
    return rules;
}

QStringList entries(QListWidget *list)
{
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts.append(list->item(i)->text());
    return texts;
}

} // namespace

class TestRunRules : public QObject {
    Q_OBJECT
    QuincunxForm *m_main = nullptr;
    ControlChartsWindow *m_charts = nullptr;

    QAction *rulesItem() const { return m_charts->findChild<QAction *>("mnuShowRunRules"); }
    QListWidget *signalList() const { return child<QListWidget>(m_charts, "signalList"); }
    QString detection() const { return child<QLabel>(m_charts, "detectionLabel")->text(); }

    void startMain()
    {
        m_main = startMainWindow();
        m_charts = m_main->chartsWindow();
    }

    void showRules(bool shown)
    {
        if (rulesItem()->isChecked() == shown)
            return;
        chooseInNextMenu("Show Run Rules");
        QTest::mouseRelease(child(m_charts, "rchartpicture"), Qt::RightButton, {}, {9, 9});
        QCOMPARE(rulesItem()->isChecked(), shown);
    }

    // A fresh program with the rules shown: subgroup size n, limits after 10
    // subgroups, `before` subgroups dropped and the funnel moved `shift` slots right.
    void startMovedRun(int n, int before, int shift)
    {
        startMain();
        showRules(true);
        rundriver::startRun(m_main, n);
        child(m_main, "climitstext")->setProperty("text", "10");
        QVERIFY(rundriver::dropSubgroups(m_main, before));
        for (int slot = 0; slot < shift; ++slot)
            click(m_main, "funnelrightbutton");
    }

    // The signals of the run so far, read independently from the measurement
    // table against the limits fixed at the k-th subgroup.
    QStringList expectedSignals(int n) const
    {
        const int count = m_main->quincunxRun().state().subgroupCount;
        auto *table = child<QTableWidget>(m_main, "grdScaled");
        const int i = ControlFactors::indexFor(n);
        const float x = m_main->quincunxRun().state().xBarBar, r = m_main->quincunxRun().state().rBar;
        const auto product = [](float factor, float value) { return double(factor) * double(value); };
        const ChartLines mean{x, float(x + product(sharedStore().state().factors.A2[i], r)), float(x - product(sharedStore().state().factors.A2[i], r))};
        const float uclR = float(product(sharedStore().state().factors.D4[i], r)), lclR = float(product(sharedStore().state().factors.D3[i], r));
        QList<float> averages;
        for (int row = 0; row < count; ++row)
            averages.append(readSingle(table->item(row, n + 1)->text()));
        const QList<RuleSet> meanRules = referenceMeanRules(averages, mean);
        QStringList texts;
        for (int row = 0; row < count; ++row) {
            const float range = readSingle(table->item(row, n + 2)->text());
            if (meanRules[row])
                texts.append(signalText({row + 1, SignalChart::Mean, meanRules[row]}, n));
            if ((n > 1 || row > 0) && (range > uclR || (lclR > 0 && range < lclR)))
                texts.append(signalText({row + 1, SignalChart::Range, ruleBit(1)}, n));
        }
        return texts;
    }

    // What the page on show draws where it should not: texts outside a chart
    // or over one another, points outside it, and lines through a rule number.
    QStringList pageFaults() const
    {
        QStringList faults = unreadableTexts(m_charts, 0);
        for (DrawingSurface *chart : {m_charts->xChart(), m_charts->rChart()}) {
            const auto &points = chart == m_charts->xChart() ? m_charts->xPlotted() : m_charts->rPlotted();
            for (const QPointF &point : points)
                if (!chart->rect().contains(chart->toPixels(point).toPoint()))
                    faults << QStringLiteral("%1: point at %2 outside").arg(chart->objectName()).arg(point.x());
            // The rows where a limit, centre or zone line runs, right of every subgroup.
            const QImage picture = chart->picture();
            QList<int> lineRows;
            for (int y = 0; y < picture.height(); ++y)
                for (double x = 11.6; x < 11.95; x += 0.02)
                    if (const QColor c = picture.pixelColor(chart->toPixels({x, 0}).toPoint().x(), y);
                        (c == qbColor(9) || c == qbColor(12)) && !lineRows.contains(y))
                        lineRows << y;
            const QPointF origin = chart->toPixels({0, chart == m_charts->xChart() ? m_charts->xChartBase() : 0.0});
            for (const QRect &area : chart->textAreas()) {
                const bool ruleNumbers = area.left() > origin.x() && area.bottom() < origin.y();
                for (const int y : lineRows)
                    if (ruleNumbers && y > area.top() && y < area.bottom())
                        faults << QStringLiteral("%1: a line through a rule number at row %2").arg(chart->objectName()).arg(y);
            }
        }
        return faults;
    }

    QString expectedDetection(const QStringList &texts, int changedAfter) const
    {
        for (const QString &text : texts) {
            const int subgroup = text.section(u',', 0, 0).section(u' ', 1).toInt();
            if (subgroup > changedAfter)
                return detectionText(changedAfter, subgroup);
        }
        return detectionText(changedAfter, 0);
    }

private slots:
    void initTestCase()
    {
        freshConfiguration();
    }

    // Off in a fresh configuration, the list with it; the choice outlives a restart.
    void menuItemIsRemembered()
    {
        startMain();
        QVERIFY(!rulesItem()->isChecked());
        QVERIFY(!signalList()->isVisibleTo(m_charts));
        for (bool shown : {true, false}) {
            showRules(shown);
            QCOMPARE(signalList()->isVisibleTo(m_charts), shown);
            startMain();
            QCOMPARE(rulesItem()->isChecked(), shown);
            QCOMPARE(signalList()->isVisibleTo(m_charts), shown);
        }
    }

    void signalsFollowTheRun_data()
    {
        QTest::addColumn<int>("n");
        QTest::addColumn<int>("moveAfter"); // subgroups dropped before the funnel moves
        QTest::newRow("funnel moved after the limits") << 5 << 12;
        QTest::newRow("funnel moved before the limits") << 5 << 6;
        QTest::newRow("single readings") << 1 << 14;
    }

    // A seeded Run, limits after 10 subgroups and a funnel move: after every
    // subgroup, while the Run goes on, the list holds exactly the signals so
    // far and the label says how long the move went unseen; from the k-th
    // subgroup on only, as limits left from before do not count.
    void signalsFollowTheRun()
    {
        QFETCH(int, n);
        QFETCH(int, moveAfter);
        startMovedRun(n, moveAfter, 4);
        int checked = 0;
        QTimer poll;
        connect(&poll, &QTimer::timeout, [&] {
            const int done = m_main->quincunxRun().state().subgroupCount;
            if (done == checked)
                return;
            checked = done;
            const QStringList expected = done >= 10 ? expectedSignals(n) : QStringList();
            QCOMPARE(entries(signalList()), expected);
            // A move is noted as the next subgroup starts, and shown when it ends.
            QCOMPARE(detection(), done >= 10 ? expectedDetection(expected, done > moveAfter ? moveAfter : 0) : QString());
        });
        poll.start(0);
        QVERIFY(rundriver::dropSubgroups(m_main, 30 - moveAfter));
        QCOMPARE(checked, 29); // the last subgroup is checked below
        QCOMPARE(entries(signalList()), expectedSignals(n));
        QVERIFY2(detection().contains("first signal at subgroup"), qPrintable(detection()));
        QListWidgetItem *first = signalList()->item(0);
        RuleSet rules = 0;
        for (QChar c : first->text().section(u':', 1))
            rules |= c.isDigit() ? ruleBit(c.digitValue()) : 0;
        QCOMPARE(first->toolTip(), ruleMeanings(rules));
        click(m_main, "resetbutton");
        QCOMPARE(signalList()->count(), 0);
        QCOMPARE(detection(), QString());
    }

    // Double-clicking a signal, or Return on it, pages the charts to its
    // subgroup, where the point is a red dot.
    void signalsAndPages()
    {
        startMovedRun(5, 10, 5);
        QVERIFY(rundriver::dropSubgroups(m_main, 30));
        click(m_main, "contchrbutton");
        QListWidget *list = signalList();
        QListWidgetItem *item = list->findItems("X-bar chart", Qt::MatchContains).value(0);
        QVERIFY(item);
        const int subgroup = item->text().section(u',', 0, 0).section(u' ', 1).toInt();
        list->scrollToItem(item);
        // The list lays its items out late.
        QTRY_VERIFY_WITH_TIMEOUT(list->viewport()->rect().contains(list->visualItemRect(item)), 10000);
        const QPoint at = list->visualItemRect(item).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at); // a double click starts with a click
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
        const int first = m_charts->firstSubgroup();
        QVERIFY2(first <= subgroup && subgroup <= first + 10, qPrintable(QString("%1 on %2").arg(subgroup).arg(first)));
        const QPointF point = m_charts->xPlotted().at(subgroup - first);
        const QImage picture = m_charts->xChart()->picture();
        QCOMPARE(picture.pixelColor(m_charts->xChart()->toPixels(point).toPoint()), qbColor(12));
        click(m_charts, "chartfastrbutton");
        QCOMPARE(m_charts->firstSubgroup(), first + 10);
        list->setCurrentItem(item);
        QTest::keyClick(list, Qt::Key_Return); // the keyboard's way to the same page
        QCOMPARE(m_charts->firstSubgroup(), first);

        // Every page, the first one too, shows the subgroups that fit whole: twelve
        // at most, their points, numbers and rule numbers inside the charts, no two
        // texts over one another and no line through a rule number.
        for (int page = 0; page < 4; ++page)
            click(m_charts, "chartfastlbutton");
        QCOMPARE(m_charts->firstSubgroup(), 1);
        for (int first : {1, 11, 21, 30}) {
            QCOMPARE(m_charts->firstSubgroup(), first);
            QCOMPARE(m_charts->xPlotted().size(), first == 30 ? 11 : 12);
            const QStringList faults = pageFaults();
            QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QStringLiteral("; "))));
            click(m_charts, "chartfastrbutton");
        }
        m_charts->hide();
    }

    void meanChartRules_data()
    {
        QTest::addColumn<ChartLines>("lines");
        QTest::addColumn<QList<float>>("points");
        QTest::addColumn<QString>("rules");
        const auto row = [](const char *name, const QList<float> &points, const char *rules, ChartLines lines = symmetric) {
            QTest::newRow(name) << lines << points << QString(rules);
        };
        row("rule 1 strictly beyond either limit, not on it", {13, 10, 7, 10, 10, 13.5f, 10, 10, 6.5f}, "- - - - - 1 - - 1");
        row("rule 2 above, first possible at the 3rd point", {12.5f, 10, 12.5f}, "- - 2");
        row("rule 2: the 2nd point never, and the point itself must be beyond", {12.5f, 12.5f, 11}, "- - -");
        row("rule 2: on the 2-sigma line is not beyond", {12, 10, 12.5f, 10, 8, 7.5f}, "- - - - - -");
        row("rule 2: one on each side is not the same side", {12.5f, 10, 7.5f}, "- - -");
        row("rule 3 above, first possible at the 5th point", {11.5f, 11.5f, 10, 11.5f, 11.5f}, "- - - - 3");
        row("rule 3: four beyond before the window is whole", {11.5f, 11.5f, 11.5f, 11.5f, 10}, "- - - - -");
        row("rule 3: one short, as one lies on the 1-sigma line", {11.5f, 11, 10, 11.5f, 11.5f}, "- - - - -");
        row("rule 4 above from the 8th point on", QList<float>(9, 10.5f), "- - - - - - - 4 4");
        row("rule 4: a point on the centre line breaks the run", {10.5f, 10.5f, 10.5f, 10.5f, 10, 10.5f, 10.5f, 10.5f, 10.5f},
            "- - - - - - - - -");
        row("rule 4: seven, then the other side", {10.5f, 10.5f, 10.5f, 10.5f, 10.5f, 10.5f, 10.5f, 9.5f}, "- - - - - - - -");
        row("several rules of one point, in order", {11.5f, 11.5f, 11.5f, 11.5f, 11.5f, 11.5f, 12.5f, 13.5f}, "- - - - 3 3 3 1,2,3,4");
        row("lopsided limits: each side's zones from its own limit", {13, 10, 13, 10, 7.9f, 10, 7.9f, 10, 15, 10, 15},
            "- - - - - - 2 - - - 2", {10, 16, 7}); // zones 12, 14 above; 9, 8 below
    }
    void meanChartRules()
    {
        QFETCH(ChartLines, lines);
        QFETCH(QList<float>, points);
        const QString found = perPoint(rulesOfEach(points, lines));
        QTEST(found, "rules");
        QCOMPARE(perPoint(referenceMeanRules(points, lines)), found);
    }

    // The rules and the independent reading agree on long random walks that often land exactly
    // on a line, on either side: the rows above work out one side of each rule by hand.
    void agreesWithAnIndependentReading()
    {
        std::mt19937 random(7);
        std::uniform_int_distribution<int> step(-3, 3);
        for (int walk = 0; walk < 50; ++walk) {
            QList<float> points;
            int halfUnits = 20;
            for (int i = 0; i < 200; ++i) {
                halfUnits = std::clamp(halfUnits + step(random), 8, 32);
                points.append(halfUnits / 2.0f);
            }
            QCOMPARE(perPoint(rulesOfEach(points, symmetric)), perPoint(referenceMeanRules(points, symmetric)));
        }
    }

    void rangeChartRules_data()
    {
        QTest::addColumn<float>("lower");
        QTest::addColumn<float>("point");
        QTest::addColumn<bool>("broken");
        QTest::newRow("on the upper limit") << 0.0f << 8.456f << false;
        QTest::newRow("above the upper limit") << 0.0f << 8.5f << true;
        QTest::newRow("a lower limit of 0 flags nothing") << 0.0f << 0.0f << false;
        QTest::newRow("below a lower limit above 0") << 1.0f << 0.5f << true;
        QTest::newRow("on a lower limit above 0") << 1.0f << 1.0f << false;
    }
    void rangeChartRules()
    {
        QFETCH(float, lower);
        QFETCH(float, point);
        QTEST(kelvara::rangeChartRules(point, {4.0f, 8.456f, lower}) == ruleBit(1), "broken");
    }

    // Every point from subgroup 1 counts, the MR chart from subgroup 2;
    // X-bar before R of one subgroup; rows added later are judged when read.
    void signalsOfARun()
    {
        SubgroupRecord table;
        table.clear(1);
        for (const auto &[average, range] : {std::pair{13.5f, 0.0f}, {10.0f, 3.5f}, {12.5f, 2.5f}, {12.5f, 0.0f}, {10.0f, 2.5f}, {10.5f, 0.0f}})
            table.appendRow({.positions = {}, .readings = {}, .average = average, .range = range});
        const ChartLines range{1, 3, 0.25f}; // an MR point of 0 for subgroup 1 would break it
        RunSignals run;
        QCOMPARE(run.follow(table, 1, 4, symmetric, range), 0);
        QCOMPARE(run.follow(table, 1, 6, symmetric, range), 5);
        QStringList texts;
        for (const RunSignal &signal : run.list())
            texts.append(signalText(signal, 1));
        QCOMPARE(texts, QStringList({"Subgroup 1, X chart: rule 1", "Subgroup 2, MR chart: rule 1",
                                     "Subgroup 3, X chart: rule 2", "Subgroup 4, X chart: rule 2",
                                     "Subgroup 4, MR chart: rule 1", "Subgroup 6, MR chart: rule 1"}));
        QCOMPARE(run.rulesAt(SignalChart::Range, 4), ruleBit(1));
        QCOMPARE(run.firstSignalAfter(4), 6);
        QCOMPARE(run.firstSignalAfter(6), 0);
        QCOMPARE(run.follow(table, 1, 2, symmetric, range), 0); // fewer rows: a new run
        QCOMPARE(run.list().size(), 2);
    }

    // The X and MR charts' words are read in signalsOfARun.
    void words()
    {
        QCOMPARE(signalText({23, SignalChart::Mean, ruleBit(1)}, 5), "Subgroup 23, X-bar chart: rule 1");
        QCOMPARE(signalText({31, SignalChart::Mean, ruleBit(2) | ruleBit(4)}, 5), "Subgroup 31, X-bar chart: rules 2, 4");
        QCOMPARE(signalText({29, SignalChart::Range, ruleBit(1)}, 5), "Subgroup 29, R chart: rule 1");
        QCOMPARE(ruleNumbers(ruleBit(1) | ruleBit(2) | ruleBit(4), ","), "1,2,4");
        QCOMPARE(ruleMeanings(ruleBit(2) | ruleBit(3)), "Two of three points beyond 2 sigma on the same side\n"
                                                        "Four of five points beyond 1 sigma on the same side");
        QCOMPARE(detectionText(0, 5), "");
        QCOMPARE(detectionText(24, 0), "Process changed after subgroup 24: no signal yet");
        QCOMPARE(detectionText(24, 27), "Process changed after subgroup 24: first signal at subgroup 27, 3 subgroups later");
        QCOMPARE(detectionText(24, 25), "Process changed after subgroup 24: first signal at subgroup 25, 1 subgroup later");
    }
};

QTEST_MAIN(TestRunRules)
#include "tst_runrules.moc"
