#include "core/histogramdata.h"
#include "core/numberformat.h"
#include "core/scale.h"
#include "core/texttable.h"
#include "rundriver.h"
#include "windows/quincunxform.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChartView>
#include <QCheckBox>
#include <QClipboard>
#include <QMenu>
#include <QScrollBar>
#include <QTableWidget>
#include <QtTest>

#include <cmath>

using namespace kelvara;

namespace {

// 31 bars, zero but for the given {slot, height} pairs.
QList<int> bars(std::initializer_list<std::pair<int, int>> heights)
{
    QList<int> values(slotTotal, 0);
    for (const auto &[slot, height] : heights)
        values[slot - 1] = height;
    return values;
}

QList<int> barValues(QChartView *view)
{
    const auto series = view->chart()->series();
    auto *barSeries = series.size() == 1 ? qobject_cast<QBarSeries *>(series.first()) : nullptr;
    QList<int> values;
    for (int i = 0; barSeries && barSeries->count() == 1 && i < barSeries->barSets().first()->count(); ++i)
        values << int(barSeries->barSets().first()->at(i));
    return values;
}

QStringList barLabels(QChartView *view)
{
    auto *axis = qobject_cast<QBarCategoryAxis *>(view->chart()->axes(Qt::Horizontal).value(0));
    return axis && axis->alignment() == Qt::AlignBottom ? axis->categories() : QStringList();
}

} // namespace

class TestHistograms : public QObject {
    Q_OBJECT

    QWidget *m_window = nullptr;
    QChartView *graph(const QString &name) const { return testsupport::child<QChartView>(m_window, name); }
    QWidget *panel() const { return testsupport::child(m_window, QStringLiteral("Histogrampanel")); }
    QList<testsupport::SeenMessage> openHistograms()
    {
        return testsupport::answerMessages([this] { testsupport::click(m_window, QStringLiteral("histbutton")); });
    }

private slots:
    void initTestCase() { QVERIFY(m_window = testsupport::startProgram()); }

    void init()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        if (panel()->isVisible())
            testsupport::click(m_window, QStringLiteral("histbackbutton"));
        testsupport::child<QCheckBox>(m_window, QStringLiteral("bafflepresentcheck"))->setChecked(false);
    }

    void averagesBinToSlots_data()
    {
        QTest::addColumn<QStringList>("averages");
        QTest::addColumn<int>("subgroupCount");
        QTest::addColumn<QList<int>>("bars");
        QTest::newRow("14.5 and 15.5: even slots 14 and 16")
            << QStringList{"14.5", "15.5"} << 2 << bars({{14, 1}, {16, 1}});
        QTest::newRow("a third rounds down; rows past the count ignored")
            << QStringList{"15.33333", "15", "3"} << 2 << bars({{15, 2}});
        QTest::newRow("off the board or no number: not counted")
            << QStringList{"0.4", "31.6", "", "x", "31.4", "1"} << 9 << bars({{1, 1}, {31, 1}});
    }

    void averagesBinToSlots()
    {
        QFETCH(QStringList, averages);
        QFETCH(int, subgroupCount);
        QFETCH(QList<int>, bars);
        MemoryTable slotTable;
        resetSubgroupTable(slotTable, 2);
        slotTable.setRowCount(int(averages.size()) + 1);
        for (int row = 1; row <= averages.size(); ++row)
            slotTable.setText(row, 3, averages[row - 1]);
        const SlotCounts counts = averageCounts(slotTable, subgroupCount);
        QCOMPARE(QList<int>(counts.begin(), counts.end()), bars);
    }

    void labelsAreScaledSlots_data()
    {
        QTest::addColumn<float>("center");
        QTest::addColumn<float>("halfWidth");
        QTest::addColumn<QString>("format");
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QStringList>("labels");
        QStringList slotNumbers, narrow, narrowGerman;
        for (int slot = 1; slot <= slotTotal; ++slot) {
            slotNumbers << QStringLiteral("%1.00").arg(slot, 2, 10, QLatin1Char('0'));
            narrow << QString::number(97.0 + 0.2 * (slot - 1), 'f', 2); // 97 to 103 in steps of 0.2
            narrowGerman << QString(narrow.last()).replace(u'.', u',');
        }
        const QLocale english(QLocale::English), german(QLocale::German);
        QTest::newRow("default scale: slot numbers") << 16.0f << 15.0f << "00.00" << english << slotNumbers;
        QTest::newRow("centre 100, half-width 3") << 100.0f << 3.0f << "00.00" << english << narrow;
        QTest::newRow("same, average format") << 100.0f << 3.0f << "00.00#" << english << narrow;
        QTest::newRow("same, decimal comma") << 100.0f << 3.0f << "00.00" << german << narrowGerman;
    }

    void labelsAreScaledSlots()
    {
        QFETCH(float, center);
        QFETCH(float, halfWidth);
        QFETCH(QString, format);
        QFETCH(QLocale, locale);
        QFETCH(QStringList, labels);
        Scale scale;
        scale.center = center;
        scale.halfWidth = halfWidth;
        QCOMPARE(slotLabels(scale, format, locale), labels);
    }

    void countAxisHasWholeTicks()
    {
        const QList<std::pair<int, CountAxis>> cases = {{0, {1, 1}}, {6, {6, 1}}, {7, {8, 2}}, {64, {80, 20}}};
        for (const auto &[highest, expected] : cases) {
            const CountAxis axis = countAxisFor(highest);
            QCOMPARE(axis.top, expected.top);
            QCOMPARE(axis.step, expected.step);
        }
    }

    void refusesBeforeAnySubgroup()
    {
        rundriver::startRun(m_window, 5);
        const auto seen = openHistograms();
        QCOMPARE(seen.size(), 1);
        QCOMPARE(seen.first().title, QStringLiteral("Kelvara"));
        QCOMPARE(seen.first().text, QStringLiteral("You must drop a few subgroups before viewing histograms."));
        QCOMPARE(seen.first().icon, QMessageBox::Information);
        QVERIFY(!panel()->isVisible());
    }

    void opensInTheBoardsPlaceAndBackRestores()
    {
        rundriver::startRun(m_window, 2);
        QVERIFY(rundriver::dropSubgroups(m_window, 40));
        auto *table = testsupport::child<QTableWidget>(m_window, QStringLiteral("grdScaled"));
        table->scrollToBottom(); // the view shows the first subgroups whatever was seen last
        QVERIFY(openHistograms().isEmpty());
        QCOMPARE(table->verticalScrollBar()->value(), 0);
        QVERIFY(panel()->isVisible());
        QCOMPARE(panel()->windowTitle(), QStringLiteral("Histograms of Means and Individuals\r\n"));
        const QStringList disabled = {"contpanel", "funnelleftbutton", "funnelrightbutton"};
        for (const QString &name : disabled)
            QVERIFY2(!testsupport::child(m_window, name)->isEnabled(), qPrintable(name));
        QCOMPARE(m_window->focusWidget(), testsupport::child(m_window, QStringLiteral("histbackbutton")));

        testsupport::click(m_window, QStringLiteral("histbackbutton"));
        QVERIFY(!panel()->isVisible());
        for (const QString &name : disabled)
            QVERIFY2(testsupport::child(m_window, name)->isEnabled(), qPrintable(name));
        QCOMPARE(m_window->focusWidget(), testsupport::child(m_window, QStringLiteral("dropbutton")));
    }

    void barsShowTheRun()
    {
        // Pairs give averages ending in .5, which go to the even slot; the
        // baffle holds some balls back, which still count as readings.
        auto *baffle = testsupport::child<QCheckBox>(m_window, QStringLiteral("bafflepresentcheck"));
        rundriver::startRun(m_window, 2);
        QVERIFY(rundriver::dropSubgroups(m_window, 3));
        baffle->setChecked(true);
        QVERIFY(rundriver::dropSubgroups(m_window, 3)); // a baffle slot holds only six balls
        const RunState run = qobject_cast<QuincunxForm *>(m_window)->run();
        QVERIFY(openHistograms().isEmpty());
        QCOMPARE(run.baffleBallCount, 6);

        QList<int> piles, averages(slotTotal, 0);
        for (int slot = 1; slot <= slotTotal; ++slot)
            piles << run.slotCount[slot] + run.baffleCount[slot];
        auto *table = testsupport::child<QTableWidget>(m_window, QStringLiteral("grdScaled"));
        for (int row = 0; row < table->rowCount(); ++row) // default scale: the values are slot positions
            ++averages[int(std::nearbyint(readNumber(table->item(row, 3)->text()))) - 1];
        QCOMPARE(barValues(graph(QStringLiteral("indGraph"))), piles);
        QCOMPARE(std::accumulate(piles.begin(), piles.end(), 0), 12);
        QCOMPARE(barValues(graph(QStringLiteral("meanGraph"))), averages);
        QCOMPARE(barLabels(graph(QStringLiteral("indGraph"))).at(4), QStringLiteral("05.00"));
        QCOMPARE(barLabels(graph(QStringLiteral("meanGraph"))).size(), slotTotal);
        QVERIFY(!graph(QStringLiteral("meanGraph"))->chart()->legend()->isVisible());
    }

    void singleReadingsGiveEqualHistograms()
    {
        rundriver::startRun(m_window, 1);
        QVERIFY(rundriver::dropSubgroups(m_window, 30));
        QVERIFY(openHistograms().isEmpty());
        const QList<int> individuals = barValues(graph(QStringLiteral("indGraph")));
        QCOMPARE(std::accumulate(individuals.begin(), individuals.end(), 0), 30);
        QCOMPARE(barValues(graph(QStringLiteral("meanGraph"))), individuals);
    }

    void copyChartCopiesTheChartClicked_data()
    {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("other");
        QTest::newRow("averages") << "meanGraph" << "indGraph";
        QTest::newRow("individuals") << "indGraph" << "meanGraph";
    }

    void copyChartCopiesTheChartClicked()
    {
        QFETCH(QString, chosen);
        QFETCH(QString, other);
        rundriver::startRun(m_window, 3);
        QVERIFY(rundriver::dropSubgroups(m_window, 10));
        QVERIFY(openHistograms().isEmpty());
        QGuiApplication::clipboard()->clear();
        QString menuSeen;
        QTimer::singleShot(0, [&menuSeen] {
            auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
            if (!menu || menu->actions().isEmpty())
                return;
            menuSeen = menu->objectName() + u'/' + menu->actions().first()->objectName() + u'/'
                       + menu->actions().first()->text();
            QTest::keyClick(menu, Qt::Key_Down);
            QTest::keyClick(menu, Qt::Key_Return);
        });
        QWidget *area = graph(chosen)->viewport();
        QTest::mouseClick(area, Qt::RightButton, {}, area->rect().center());

        QCOMPARE(menuSeen, QStringLiteral("mnuCP/mnuCopyChart/Copy Chart"));
        const auto picture = [](QWidget *widget) {
            return widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
        };
        const QImage copied = QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(copied, picture(graph(chosen)));
        QVERIFY(copied != picture(graph(other)));
    }
};

QTEST_MAIN(TestHistograms)
#include "tst_histograms.moc"
