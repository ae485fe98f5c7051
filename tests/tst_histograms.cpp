// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/preferences.h"
#include "core/histogramdata.h"
#include "core/subgrouprecord.h"
#include "core/scale.h"
#include "reports/histogramsview.h"
#include "rundriver.h"
#include "windows/quincunxform.h"
#include "windows/scaledialog.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChartView>
#include <QClipboard>
#include <QLabel>
#include <QLineSeries>
#include <QValueAxis>
#include <QScrollBar>
#include <QTableWidget>

#include <cmath>

using namespace kelvara;
using namespace testsupport;

class TestHistograms : public QObject {
    Q_OBJECT
    QWidget *m_window = nullptr;
    QChartView *graph(const QString &name) const { return child<QChartView>(m_window, name); }
    QWidget *panel() const { return child(m_window, "Histogrampanel"); }
    QList<SeenMessage> openHistograms() { return answerMessages([this] { click(m_window, "histbutton"); }); }

    // A scale of half-width 15 about the centre, with its specification limits on the board.
    void setScaleCentre(const QString &centre)
    {
        ScaleDialog scale(m_window);
        const QStringList entries{centre, "15", QString::number(centre.toInt() - 10), QString::number(centre.toInt() + 10)};
        for (int i = 0; i < entries.size(); ++i)
            child<QLineEdit>(&scale, QStringList{"scalecentretext", "scalehalfwidthtext", "lsltext", "usltext"}[i])->setText(entries[i]);
        QVERIFY(answerMessages([&] { click(&scale, "scaleapplybutton"); }).isEmpty());
    }

    // The heights of a histogram's bars: one bar set of one bar series.
    QList<int> barValues(const QString &name) const
    {
        const auto series = graph(name)->chart()->series();
        auto *bars = series.size() == 1 ? qobject_cast<QBarSeries *>(series.first()) : nullptr;
        QList<int> values;
        for (int i = 0; bars && bars->count() == 1 && i < bars->barSets().first()->count(); ++i)
            values << int(bars->barSets().first()->at(i));
        return values;
    }

    // The view in the board's place with the board's controls off and the focus on Back, or the
    // board back with its controls and the focus on Run.
    void checkViewShown(bool shown) const
    {
        QCOMPARE(panel()->isVisible(), shown);
        for (const char *name : {"contpanel", "funnelleftbutton", "funnelrightbutton"})
            QVERIFY2(child(m_window, name)->isEnabled() != shown, name);
        QCOMPARE(m_window->focusWidget(), child(m_window, shown ? "histbackbutton" : "dropbutton"));
    }

private slots:
    void initTestCase()
    {
        freshConfiguration();
        QVERIFY(m_window = startProgram());
    }

    void init()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        if (panel()->isVisible())
            click(m_window, "histbackbutton");
        child<QAbstractButton>(m_window, "bafflepresentcheck")->setChecked(false);
    }

    // Averages bin to slots, halves to the even one, those off the board, with no number or past
    // the count not at all; the labels are the scaled slot values in the locale's format.
    void barsAndLabels()
    {
        const QList<float> averages{14.5f, 15.5f, 15.33333f, 0.4f, 31.6f, 0, 0, 31.4f, 1, 3};
        SubgroupRecord record;
        record.clear(2);
        for (const float average : averages)
            record.appendRow({.positions = {}, .readings = {}, .slotAverage = average});
        QList<int> expected(slotTotal, 0);
        expected[0] = expected[13] = expected[14] = expected[15] = expected[30] = 1; // slots 1, 14, 15, 16, 31
        const SlotCounts counts = averageCounts(record, int(averages.size()) - 1);
        QCOMPARE(QList<int>(counts.begin(), counts.end()), expected);

        const Scale narrow{100.0f, 3.0f}; // 97.00 to 103.00 in steps of 0.2
        const QStringList labels = slotLabels(narrow, "00.00", QLocale(QLocale::English));
        QCOMPARE(QStringList({QString::number(labels.size()), labels[0], labels[1], labels.last()}).join(u' '),
                 QStringLiteral("31 97.00 97.20 103.00"));
        QCOMPARE(slotLabels(narrow, "00.00", QLocale(QLocale::German)).at(29), QStringLiteral("102,80"));
    }

    // Refused before any subgroup; then shown in the board's place with the board's controls
    // off, its bars the balls (the baffle's too) and the averages, ending in .5 for pairs, by
    // slot. Back, and Esc anywhere in the view, restore the controls and the focus.
    void histogramsOfTheRun()
    {
        rundriver::startRun(m_window, 2);
        const auto seen = openHistograms();
        QCOMPARE(seen.size(), 1);
        QCOMPARE(seen.first().title + u'|' + seen.first().text,
                 QStringLiteral("Kelvara|You must drop a few subgroups before viewing histograms."));
        QCOMPARE(seen.first().icon, QMessageBox::Information);

        QVERIFY(rundriver::dropSubgroups(m_window, 3));
        child<QAbstractButton>(m_window, "bafflepresentcheck")->setChecked(true);
        QVERIFY(rundriver::dropSubgroups(m_window, 3)); // a baffle slot holds only six balls
        QVERIFY(openHistograms().isEmpty());
        QCOMPARE(panel()->windowTitle(), QStringLiteral("Histograms of Means and Individuals\r\n"));
        const RunState run = qobject_cast<QuincunxForm *>(m_window)->quincunxRun().state();
        QCOMPARE(run.baffleBallCount, 6);
        QList<int> piles, averages(slotTotal, 0);
        for (int slot = 1; slot <= slotTotal; ++slot)
            piles << run.slotCount[slot] + run.baffleCount[slot];
        auto *table = child<QTableWidget>(m_window, "grdScaled");
        for (int row = 0; row < table->rowCount(); ++row) // default scale: the values are slot positions
            ++averages[int(std::nearbyint(table->item(row, 3)->text().toDouble())) - 1];
        QCOMPARE(barValues("indGraph"), piles);
        QCOMPARE(barValues("meanGraph"), averages);
        auto *axis = qobject_cast<QBarCategoryAxis *>(graph("meanGraph")->chart()->axes(Qt::Horizontal).value(0));
        QVERIFY(axis && axis->alignment() == Qt::AlignBottom && axis->categories().size() == slotTotal);
        QCOMPARE(axis->categories().at(4), QStringLiteral("05.00"));

        checkViewShown(true);
        click(m_window, "histbackbutton");
        checkViewShown(false);
        QVERIFY(openHistograms().isEmpty());
        table->setFocus();
        QTest::keyClick(table, Qt::Key_Escape);
        checkViewShown(false);
    }

    // At the opening size the table shows up to five readings whole, the ideal lines shown or
    // not; with more, or wider, readings it scrolls sideways, its Average and Range stay in
    // sight over its right edge, and every reading can be scrolled out from under them.
    void averageAndRangeStayInSight_data()
    {
        QTest::addColumn<int>("subgroupSize");
        QTest::addColumn<QString>("centre");
        QTest::addColumn<bool>("ideal");
        QTest::addColumn<bool>("scrolls");
        QTest::newRow("5 readings") << 5 << "16" << false << false;
        QTest::newRow("5 readings beside the ideal lines") << 5 << "16" << true << false;
        QTest::newRow("5 readings about 999999") << 5 << "999999" << true << true;
        QTest::newRow("15 readings") << 15 << "16" << false << true;
    }
    void averageAndRangeStayInSight()
    {
        QFETCH(int, subgroupSize);
        QFETCH(QString, centre);
        QFETCH(bool, ideal);
        QFETCH(bool, scrolls);
        m_window->resize(openingSize);
        setScaleCentre(centre);
        m_window->findChild<QAction *>(QStringLiteral("mnuShowIdeal"))->setChecked(ideal);
        rundriver::startRun(m_window, subgroupSize);
        QVERIFY(rundriver::dropSubgroups(m_window, 3));
        QVERIFY(openHistograms().isEmpty());
        auto *table = child<QTableWidget>(m_window, "grdScaled");
        auto *frozen = child<QTableView>(table, "frozenColumns");
        QTRY_COMPARE_WITH_TIMEOUT(table->horizontalScrollBar()->isVisible(), scrolls, 10000);
        QTRY_COMPARE_WITH_TIMEOUT(frozen->isVisible(), scrolls, 10000);
        const QRect viewport = table->viewport()->geometry();
        const auto onTable = [&](const QTableView *view, int column) {
            const QRect cell = view->visualRect(view->model()->index(0, column));
            return QRect(view->viewport()->mapTo(table, cell.topLeft()), cell.size());
        };
        for (int column : {subgroupSize + 1, subgroupSize + 2}) {
            const QTableView *shows = frozen->isVisible() ? frozen : table;
            QVERIFY(!shows->isColumnHidden(column) && viewport.contains(onTable(shows, column)));
        }
        QSet<int> readingsSeen;
        for (int value = 0; value <= table->horizontalScrollBar()->maximum(); ++value) {
            table->horizontalScrollBar()->setValue(value);
            for (int column = 0; column <= subgroupSize; ++column)
                if (viewport.contains(onTable(table, column))
                    && !(frozen->isVisible() && frozen->geometry().intersects(onTable(table, column))))
                    readingsSeen << column;
        }
        QCOMPARE(readingsSeen.size(), subgroupSize + 1);
        click(m_window, "histbackbutton");
        setScaleCentre(QStringLiteral("16"));
        m_window->findChild<QAction *>(QStringLiteral("mnuShowIdeal"))->setChecked(false);
    }

    // Single readings give the same histogram twice; "Copy Chart" copies the histogram clicked.
    void equalHistogramsAndCopyChart()
    {
        rundriver::startRun(m_window, 1);
        QVERIFY(rundriver::dropSubgroups(m_window, 30));
        QVERIFY(openHistograms().isEmpty());
        const QList<int> individuals = barValues("indGraph");
        QCOMPARE(std::accumulate(individuals.begin(), individuals.end(), 0), 30);
        QCOMPARE(barValues("meanGraph"), individuals);
        click(m_window, "histbackbutton");
        rundriver::startRun(m_window, 3);
        QVERIFY(rundriver::dropSubgroups(m_window, 10));
        QVERIFY(openHistograms().isEmpty());
        for (const auto &[chosen, other] : {std::pair{"meanGraph", "indGraph"}, {"indGraph", "meanGraph"}}) {
            testsupport::chooseCopyChartInNextMenu();
            QTest::mouseClick(graph(chosen)->viewport(), Qt::RightButton);
            const QImage copied = QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32);
            QCOMPARE(copied, graph(chosen)->grab().toImage().convertToFormat(copied.format()));
            QVERIFY(copied != graph(other)->grab().toImage().convertToFormat(copied.format()));
        }
    }

    // "Show Ideal" starts off and is remembered. On, each histogram has a line "Ideal" over
    // the centres of its 31 bars that adds up to the balls and to the subgroups of the run,
    // each ball counted from where the funnel stood when it fell, and a line of text below
    // that sets the table's mean and standard deviation beside theory's. Off, all goes.
    void idealLines()
    {
        rundriver::startRun(m_window, 5);
        QVERIFY(rundriver::dropSubgroups(m_window, 3));
        click(m_window, "funnelrightbutton");
        click(m_window, "funnelrightbutton");
        QVERIFY(rundriver::dropSubgroups(m_window, 2));
        QVERIFY(openHistograms().isEmpty());
        QCOMPARE(graph("indGraph")->chart()->series().size(), 1);
        QVERIFY(!preferences::flag(preferences::showIdeal));

        chooseInNextMenu(QStringLiteral("Show Ideal"));
        QTest::mouseClick(graph("indGraph")->viewport(), Qt::RightButton);
        QVERIFY(preferences::flag(preferences::showIdeal));
        const HistogramsView restarted; // as after a restart of the program
        QVERIFY(restarted.findChild<QAction *>(QStringLiteral("mnuShowIdeal"))->isChecked());
        auto *table = child<QTableWidget>(m_window, "grdScaled");
        // Theory: 15 balls about 16 and 10 about 18, each with variance 20 / 4 (a fifth of that
        // for an average of five), and the variance of the shift between them, 0.6 x 0.4 x 4.
        for (const auto &[name, total, firstColumn, lastColumn, deviation] :
             {std::tuple{"indGraph", 25, 0, 4, std::sqrt(5.96)}, {"meanGraph", 5, 5, 5, std::sqrt(1.96)}}) {
            const auto series = graph(name)->chart()->series();
            QCOMPARE(series.size(), 2);
            auto *line = qobject_cast<QLineSeries *>(series.last());
            QVERIFY(line && line->name() == QStringLiteral("Ideal") && line->points().size() == slotTotal);
            QCOMPARE(line->attachedAxes(), series.first()->attachedAxes());
            double sum = 0, peak = 0;
            for (int bar = 0; bar < slotTotal; ++bar) {
                QCOMPARE(line->at(bar).x(), qreal(bar));
                sum += line->at(bar).y();
                peak = std::max(peak, line->at(bar).y());
            }
            QCOMPARE(sum, double(total));
            QVERIFY(qobject_cast<QValueAxis *>(graph(name)->chart()->axes(Qt::Vertical).value(0))->max() >= peak);

            QList<double> values;
            for (int row = 0; row < table->rowCount(); ++row)
                for (int column = firstColumn; column <= lastColumn; ++column)
                    values << table->item(row, column + 1)->text().toDouble();
            const double mean = std::accumulate(values.begin(), values.end(), 0.0) / values.size();
            double squares = 0;
            for (const double value : values)
                squares += (value - mean) * (value - mean);
            auto *text = child<QLabel>(m_window, name == QStringLiteral("indGraph") ? "indIdealText" : "meanIdealText");
            QVERIFY(text->isVisible());
            QCOMPARE(text->text(), QStringLiteral("Mean %1 (ideal 16.80), standard deviation %2 (ideal %3)")
                                       .arg(mean, 0, 'f', 2)
                                       .arg(std::sqrt(squares / (values.size() - 1)), 0, 'f', 2)
                                       .arg(deviation, 0, 'f', 2));
        }
        click(m_window, "histbackbutton");
        QLocale::setDefault(QLocale(QLocale::German));
        QVERIFY(openHistograms().isEmpty());
        QVERIFY(child<QLabel>(m_window, "indIdealText")->text().contains(QStringLiteral("(ideal 16,80)")));

        chooseInNextMenu(QStringLiteral("Show Ideal"));
        QTest::mouseClick(graph("meanGraph")->viewport(), Qt::RightButton);
        QVERIFY(!preferences::flag(preferences::showIdeal));
        QCOMPARE(graph("meanGraph")->chart()->series().size() + graph("indGraph")->chart()->series().size(), 2);
        QVERIFY(child<QLabel>(m_window, "indIdealText")->isHidden());
    }
};

QTEST_MAIN(TestHistograms)
#include "tst_histograms.moc"
