#include "testsupport.h"

#include "app/shared.h"
#include "core/numberformat.h"
#include "reports/controlchartswindow.h"
#include "surface/drawingsurface.h"
#include "surface/palette.h"
#include "windows/quincunxform.h"

#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTableWidget>

using namespace kelvara;
using testsupport::child;

namespace {

struct Program {
    QWidget *main = nullptr;
    ControlChartsWindow *charts = nullptr;
};

// A fresh program with subgroup size n and limits after k subgroups.
Program start(const QString &n, const QString &k = QStringLiteral("20"))
{
    Program p;
    p.main = testsupport::startProgram();
    p.charts = child<ControlChartsWindow>(p.main, QStringLiteral("frmCtrlChrt"));
    child<QLineEdit>(p.main, QStringLiteral("subgrouptext"))->setText(n);
    child<QLineEdit>(p.main, QStringLiteral("climitstext"))->setText(k);
    return p;
}

void drop(const Program &p, int subgroups)
{
    child<QLineEdit>(p.main, QStringLiteral("howmanytext"))->setText(QString::number(subgroups));
    testsupport::click(p.main, QStringLiteral("dropbutton"));
}

// Whether a colour shows within a pixel above or below a point in chart units.
bool showsNear(DrawingSurface *chart, QPointF at, const QColor &colour)
{
    const QImage image = chart->picture();
    const QPoint pixel = chart->toPixels(at).toPoint();
    return image.pixelColor(pixel) == colour || image.pixelColor(pixel + QPoint(0, 1)) == colour
           || image.pixelColor(pixel - QPoint(0, 1)) == colour;
}

// x of each plotted point, as the page it was drawn for places it.
QList<double> xsOf(const QList<QPointF> &points)
{
    QList<double> xs;
    for (const QPointF &point : points)
        xs << point.x();
    return xs;
}

QList<double> range(double from, double to)
{
    QList<double> values;
    for (double x = from; x <= to; ++x)
        values << x;
    return values;
}

} // namespace

class TestControlCharts : public QObject {
    Q_OBJECT
private slots:
    void init() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void pointsAreTheTableCells_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::newRow("point locale") << QLocale(QLocale::English, QLocale::UnitedStates);
        QTest::newRow("comma locale") << QLocale(QLocale::German, QLocale::Germany);
    }

    // Drawn while hidden, shown afterwards: every point sits on its cell's value.
    void pointsAreTheTableCells()
    {
        QFETCH(QLocale, locale);
        QLocale::setDefault(locale);
        const Program p = start(QStringLiteral("5"));
        drop(p, 25);
        QCOMPARE(shared().chartFirstSubgroup, 15);
        auto *table = child<QTableWidget>(p.main, QStringLiteral("grdScaled"));
        for (const auto &[points, column] : {std::pair{p.charts->xPlotted(), 6}, std::pair{p.charts->rPlotted(), 7}}) {
            QCOMPARE(xsOf(points), range(0, 10));
            for (const QPointF &point : points)
                QCOMPARE(float(point.y()), readSingle(table->item(int(point.x()) + 14, column)->text(), locale)); // subgroup x + 15
        }
        p.charts->show();
        for (const QPointF &point : p.charts->xPlotted())
            QVERIFY(showsNear(p.charts->xChart(), point, qbColor(1)));
    }

    // Centre and limit lines come with the k-th subgroup: X-bar and R
    // limits from the grand mean and mean range.
    void limitsFromTheKthSubgroup()
    {
        const Program p = start(QStringLiteral("1"), QStringLiteral("5"));
        drop(p, 4);
        const QImage before = p.charts->xChart()->picture();
        const int column = qRound(p.charts->xChart()->toPixels(QPointF(11.5, 0)).x());
        for (int y = 0; y < before.height(); ++y)
            QVERIFY(before.pixelColor(column, y) != qbColor(12));
        QVERIFY(!showsNear(p.charts->rChart(), {11.5, 0.0}, qbColor(12))); // an LCLmr of 0 would cover the axis
        QVERIFY(child<QLabel>(p.charts, QStringLiteral("xvaluestitle"))->text().isEmpty());
        drop(p, 1);
        const double x = static_cast<QuincunxForm *>(p.main)->grandMean();
        const double r = static_cast<QuincunxForm *>(p.main)->meanRange();
        QVERIFY(showsNear(p.charts->xChart(), {11.5, x}, qbColor(9)));
        QVERIFY(showsNear(p.charts->xChart(), {11.5, x + 2.66 * r}, qbColor(12)));
        QVERIFY(showsNear(p.charts->xChart(), {11.5, x - 2.66 * r}, qbColor(12)));
        QVERIFY(showsNear(p.charts->rChart(), {11.5, r}, qbColor(9)));
        QVERIFY(showsNear(p.charts->rChart(), {11.5, 3.268 * r}, qbColor(12)));
        QVERIFY(child<QLabel>(p.charts, QStringLiteral("xvaluestitle"))->text().startsWith("X-Bar = "));
    }

    // The first subgroup is framed by the board's whole range; the next
    // redraw (here the one showing the window makes) frames its average.
    void frameFollowsTheFirstAverage()
    {
        const Program p = start(QStringLiteral("5"));
        drop(p, 1);
        QCOMPARE(p.charts->xPlotted().size(), 1);
        const double average = p.charts->xPlotted().first().y();
        QCOMPARE(double(shared().bounds.maxX), average);
        QCOMPARE(double(shared().bounds.minX), average);
        QVERIFY(p.charts->xChart()->scaleTop() > 31.0);
        p.charts->show();
        QVERIFY(showsNear(p.charts->xChart(), p.charts->xPlotted().first(), qbColor(1)));
        QVERIFY(p.charts->xChart()->scaleTop() >= average * 1.05 && p.charts->xChart()->scaleTop() < 31.0);
        QVERIFY(shared().xChartBase <= average * 0.95 && shared().xChartBase > 1.0f);
    }

    void singleReadings_data()
    {
        QTest::addColumn<int>("subgroups");
        QTest::addColumn<QList<double>>("rangeXs");
        QTest::newRow("page from 1: no moving range for 1") << 5 << range(1, 4);
        QTest::newRow("page from 2: its moving range shows") << 12 << range(0, 10);
    }

    void singleReadings()
    {
        QFETCH(int, subgroups);
        const Program p = start(QStringLiteral("1"));
        drop(p, subgroups);
        QCOMPARE(p.charts->xPlotted().size(), qMin(subgroups, 11));
        QTEST(xsOf(p.charts->rPlotted()), "rangeXs");
    }

    void paging_data()
    {
        QTest::addColumn<int>("subgroups");
        QTest::addColumn<QStringList>("presses");
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("shownFrom"); // page start of the charts on show
        const QString l = "chartlbutton", fl = "chartfastlbutton", r = "chartrbutton", fr = "chartfastrbutton";
        QTest::newRow("back one") << 30 << QStringList{l} << 19 << 19;
        QTest::newRow("back ten") << 30 << QStringList{fl} << 10 << 10;
        QTest::newRow("back stops at 1") << 30 << QStringList{fl, fl} << 1 << 1;
        QTest::newRow("back at 1 stays") << 30 << QStringList{fl, fl, l} << 1 << 1;
        QTest::newRow("forward one") << 30 << QStringList{fl, r} << 11 << 11;
        QTest::newRow("forward ten") << 30 << QStringList{fl, fl, fr} << 11 << 11;
        QTest::newRow("forward stops at the newest page") << 30 << QStringList{fl, r, fr} << 20 << 20;
        QTest::newRow("forward at the newest page stays") << 30 << QStringList{r} << 20 << 20;
        QTest::newRow("forward with 8 lands before 1") << 8 << QStringList{r} << -2 << 1;
        QTest::newRow("back from before 1 gives 1") << 8 << QStringList{r, l} << 1 << 1;
        QTest::newRow("no subgroups, no paging") << 0 << QStringList{l, fr} << 0 << 1;
    }

    void paging()
    {
        QFETCH(int, subgroups);
        QFETCH(QStringList, presses);
        QFETCH(int, first);
        QFETCH(int, shownFrom);
        const Program p = start(QStringLiteral("2"));
        if (subgroups > 0)
            drop(p, subgroups);
        const int drawn = p.charts->xChart()->primitiveCount();
        for (const QString &button : presses)
            testsupport::click(p.charts, button);
        QCOMPARE(shared().chartFirstSubgroup, first);
        QCOMPARE(xsOf(p.charts->xPlotted()), range(0, subgroups - shownFrom));
        if (first < 1) // nothing drawn, nothing cleared
            QCOMPARE(p.charts->xChart()->primitiveCount(), drawn);
    }

    // Paging while a subgroup is being dropped plots the completed rows only.
    void redrawWhileASubgroupIsOpen()
    {
        const Program p = start(QStringLiteral("4"));
        auto *table = child<QTableWidget>(p.main, QStringLiteral("grdScaled"));
        int openRowRedraws = 0, openRowsPlotted = 0;
        QTimer pager;
        connect(&pager, &QTimer::timeout, [&] {
            const int completed = shared().subgroupCount;
            if (completed == 0 || table->rowCount() == completed)
                return;
            ++openRowRedraws;
            testsupport::click(p.charts, QStringLiteral("chartlbutton"));
            const int expected = completed - shared().chartFirstSubgroup + 1;
            openRowsPlotted += p.charts->xPlotted().size() != expected || p.charts->rPlotted().size() != expected;
        });
        pager.start(0);
        drop(p, 6);
        pager.stop();
        QVERIFY(openRowRedraws > 0);
        QCOMPARE(openRowsPlotted, 0);
    }

    // Hidden, the window keeps its charts; a resize pages to the newest subgroups.
    void hideKeepsAndResizePages()
    {
        const Program p = start(QStringLiteral("5"));
        drop(p, 30);
        testsupport::click(p.main, QStringLiteral("contchrbutton"));
        testsupport::click(p.charts, QStringLiteral("chartfastlbutton"));
        const QImage before = p.charts->xChart()->picture();
        QTest::keyClick(p.charts, Qt::Key_Escape);
        QVERIFY(!p.charts->isVisible());
        testsupport::click(p.main, QStringLiteral("contchrbutton"));
        QCOMPARE(p.charts->xChart()->picture(), before);
        QCOMPARE(shared().chartFirstSubgroup, 10);
        p.charts->resize(p.charts->size() + QSize(40, 30));
        QTRY_COMPARE(shared().chartFirstSubgroup, 20);
        QCOMPARE(xsOf(p.charts->xPlotted()), range(0, 10));
        testsupport::click(p.charts, QStringLiteral("chartpanelclosebutton"));
        QVERIFY(!p.charts->isVisible());
    }

    void copyChart_data()
    {
        QTest::addColumn<QString>("chart");
        QTest::newRow("upper chart") << "xchartpicture";
        QTest::newRow("lower chart") << "rchartpicture";
    }

    // A right click opens "Copy Chart"; choosing it puts the picture on the clipboard.
    void copyChart()
    {
        QFETCH(QString, chart);
        const Program p = start(QStringLiteral("5"));
        drop(p, 12);
        p.charts->show();
        auto *picture = child<DrawingSurface>(p.charts, chart);
        QGuiApplication::clipboard()->clear();
        QString menuName, itemText;
        QTimer::singleShot(0, [&] {
            auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
            if (!menu)
                return;
            menuName = menu->objectName();
            itemText = menu->findChild<QAction *>(QStringLiteral("mnuCopyChart"))->text();
            QTest::keyClick(menu, Qt::Key_Down);
            QTest::keyClick(menu, Qt::Key_Return);
        });
        const auto messages = testsupport::answerMessages(
            [&] { QTest::mouseRelease(picture, Qt::RightButton, {}, QPoint(50, 50)); });
        QCOMPARE(menuName, QStringLiteral("mnuCP"));
        QCOMPARE(itemText, QStringLiteral("Copy Chart"));
        QVERIFY(messages.isEmpty());
        const QImage copied = QGuiApplication::clipboard()->image();
        QCOMPARE(copied.size(), picture->size());
        QCOMPARE(copied.convertToFormat(QImage::Format_RGB32), picture->picture());
    }
};

QTEST_MAIN(TestControlCharts)
#include "tst_controlcharts.moc"
