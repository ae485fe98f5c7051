// SPDX-License-Identifier: GPL-3.0-or-later
#include "testsupport.h"

#include "core/numberformat.h"
#include "reports/controlchartswindow.h"
#include "surface/drawingsurface.h"
#include "surface/palette.h"
#include "windows/quincunxform.h"
#include "windows/scaledialog.h"

#include <QClipboard>
#include <QTableWidget>

using namespace kelvara;
using namespace testsupport;

namespace {

// Whether a colour shows within a pixel above or below a point in chart units.
bool showsNear(DrawingSurface *chart, QPointF at, const QColor &colour)
{
    const QImage image = chart->picture();
    const QPoint pixel = chart->toPixels(at).toPoint();
    return image.pixelColor(pixel) == colour || image.pixelColor(pixel + QPoint(0, 1)) == colour
           || image.pixelColor(pixel - QPoint(0, 1)) == colour;
}

// "first..last" of the x of plotted points.
QString span(const QList<QPointF> &points)
{
    return points.isEmpty() ? QString() : QString("%1..%2").arg(points.first().x()).arg(points.last().x());
}

} // namespace

class TestControlCharts : public QObject {
    Q_OBJECT
    QuincunxForm *m_main = nullptr;
    ControlChartsWindow *m_charts = nullptr;

    // A fresh program in a decimal-comma locale (the charts read the table's text as it
    // shows) with subgroup size n, limits after k subgroups and `subgroups` dropped.
    void start(int n, int subgroups, int k = 20)
    {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        m_main = static_cast<QuincunxForm *>(startProgram());
        m_charts = child<ControlChartsWindow>(m_main, "frmCtrlChrt");
        child(m_main, "subgrouptext")->setProperty("text", QString::number(n));
        child(m_main, "climitstext")->setProperty("text", QString::number(k));
        drop(subgroups);
    }
    void drop(int subgroups)
    {
        if (subgroups > 0)
            testsupport::runSubgroups(m_main, subgroups);
    }

private slots:
    void paging_data()
    {
        QTest::addColumn<int>("n");
        QTest::addColumn<int>("subgroups");
        QTest::addColumn<QStringList>("presses");
        QTest::addColumn<int>("first");
        QTest::addColumn<QString>("spans"); // of the X and the R chart
        const QString l = "chartlbutton", fl = "chartfastlbutton", r = "chartrbutton", fr = "chartfastrbutton";
        QTest::newRow("newest page") << 5 << 25 << QStringList{} << 15 << "0..10 0..10";
        QTest::newRow("n 1 from 1: no moving range for 1") << 1 << 5 << QStringList{} << 1 << "0..4 1..4";
        QTest::newRow("n 1 from 2: its moving range shows") << 1 << 12 << QStringList{} << 2 << "0..10 0..10";
        QTest::newRow("back one") << 2 << 30 << QStringList{l} << 19 << "0..11 0..11";
        QTest::newRow("back stops at 1, twelve places") << 2 << 30 << QStringList{fl, fl} << 1 << "0..11 0..11";
        QTest::newRow("forward ten") << 2 << 30 << QStringList{fl, fl, fr} << 11 << "0..11 0..11";
        QTest::newRow("forward stops at the newest") << 2 << 30 << QStringList{fl, r, fr} << 20 << "0..10 0..10";
        QTest::newRow("forward with 8 lands before 1") << 2 << 8 << QStringList{r} << -2 << "0..7 0..7";
        QTest::newRow("no subgroups, no paging") << 2 << 0 << QStringList{l, fr} << 0 << "";
    }

    // Every plotted point sits on its table cell; a page before 1 draws nothing and leaves page 1 on show.
    void paging()
    {
        QFETCH(int, n);
        QFETCH(int, subgroups);
        QFETCH(QStringList, presses);
        start(n, subgroups);
        const int drawn = m_charts->xChart()->primitiveCount();
        for (const QString &button : presses)
            click(m_charts, button);
        m_charts->drawcharts(0);
        QTEST(m_charts->firstSubgroup(), "first");
        if (m_charts->firstSubgroup() < 1) // neither that page nor a direct call draws or clears anything
            QCOMPARE(m_charts->xChart()->primitiveCount(), drawn);
        QTEST(QString(span(m_charts->xPlotted()) + u' ' + span(m_charts->rPlotted())).trimmed(), "spans");
        auto *table = child<QTableWidget>(m_main, "grdScaled");
        const int row = qMax<int>(m_charts->firstSubgroup(), 1) - 1; // of x 0
        for (const auto &[points, column] : {std::pair{m_charts->xPlotted(), n + 1}, {m_charts->rPlotted(), n + 2}})
            for (const QPointF &point : points)
                QCOMPARE(float(point.y()), readSingle(table->item(row + int(point.x()), column)->text()));
    }

    // Centre and limit lines come with the k-th subgroup, from the grand mean and mean range;
    // redraws while a subgroup is being dropped plot the completed rows only.
    void limitsAndRedrawsDuringADrop()
    {
        start(4, 0, 5);
        int openRowRedraws = 0;
        QTimer pager;
        connect(&pager, &QTimer::timeout, [&] {
            const int done = m_main->quincunxRun().state().subgroupCount;
            if (done == 0 || child<QTableWidget>(m_main, "grdScaled")->rowCount() == done)
                return;
            ++openRowRedraws;
            click(m_charts, "chartlbutton"); // to page 1, which then shows subgroups 1..done
            QCOMPARE(m_charts->xPlotted().size() + m_charts->rPlotted().size(), 2 * done);
        });
        pager.start(0);
        drop(4);
        for (DrawingSurface *chart : {m_charts->xChart(), m_charts->rChart()}) // no limit lines yet
            for (int y = 0; y < chart->picture().height(); ++y)
                QVERIFY(chart->picture().pixelColor(chart->toPixels({11.5, 0}).toPoint().x(), y) != qbColor(12));
        drop(1);
        QVERIFY(openRowRedraws > 0);
        const double x = m_main->quincunxRun().state().xBarBar, r = m_main->quincunxRun().state().rBar;
        QVERIFY(showsNear(m_charts->xChart(), {11.5, x}, qbColor(9)));
        QVERIFY(showsNear(m_charts->xChart(), {11.5, x + 0.729 * r}, qbColor(12)));
        QVERIFY(showsNear(m_charts->xChart(), {11.5, x - 0.729 * r}, qbColor(12)));
        QVERIFY(showsNear(m_charts->rChart(), {11.5, 2.282 * r}, qbColor(12)));
    }

    void pointsInsideTheirFrameAtOnce_data()
    {
        QTest::addColumn<bool>("newScale");
        QTest::newRow("after Apply Scale in the middle of a run: bounds set back") << true;
        QTest::newRow("after Reset, single readings wider than the averages before") << false;
    }

    // The first time a page is drawn, every point lies inside its chart, above its axis,
    // and the limits too: drawn after each of the next subgroups.
    void pointsInsideTheirFrameAtOnce()
    {
        QFETCH(bool, newScale);
        start(newScale ? 5 : 15, newScale ? 25 : 5);
        if (newScale) {
            ScaleDialog scale(m_main);
            scale.show();
            QVERIFY(answerMessages([&] { click(&scale, "scaleapplybutton"); }).isEmpty());
        } else {
            click(m_main, "resetbutton");
            child(m_main, "subgrouptext")->setProperty("text", "1");
        }
        for (int subgroup = 0; subgroup < 5; ++subgroup) {
            drop(1);
            for (DrawingSurface *chart : {m_charts->xChart(), m_charts->rChart()}) {
                const bool upper = chart == m_charts->xChart();
                const double base = upper ? m_charts->xChartBase() : 0.0;
                QList<QPointF> points = upper ? m_charts->xPlotted() : m_charts->rPlotted();
                if (newScale) // the upper limit at the right end
                    points << QPointF(11.5, upper ? m_main->quincunxRun().state().xBarBar + 0.577 * m_main->quincunxRun().state().rBar : 2.114 * m_main->quincunxRun().state().rBar);
                for (const QPointF &point : points)
                    QVERIFY2(point.y() >= base && chart->rect().contains(chart->toPixels(point).toPoint()),
                             qPrintable(QStringLiteral("%1 at %2: %3").arg(chart->objectName()).arg(point.x()).arg(point.y())));
            }
        }
    }

    void sameChartsShownDuringTheRunOrAfterIt_data()
    {
        QTest::addColumn<int>("n");
        QTest::addColumn<int>("subgroups");
        QTest::addColumn<QString>("span");
        QTest::newRow("two readings, both in the frame") << 1 << 2 << "0..1";
        QTest::newRow("a later page, with limits") << 3 << 25 << "0..10";
    }

    // A Run redraws the charts after every subgroup; shown during the Run or
    // only afterwards, and when grabbed while hidden, they show the same page
    // in the same frame, down to the pixel. (The window was shown once before,
    // as its first showing lays it out and redraws it.)
    void sameChartsShownDuringTheRunOrAfterIt()
    {
        QFETCH(int, n);
        QFETCH(int, subgroups);
        // Fetched by name, as a tool that knows only the window's controls would.
        const auto pictures = [this] {
            QList<QImage> images;
            for (const char *name : {"xchartpicture", "rchartpicture"})
                images.append(child(m_charts, name)->grab().toImage());
            return images;
        };
        QList<QImage> shownDuring;
        for (bool showDuring : {true, false}) {
            start(n, 0, 8);
            click(m_main, "contchrbutton");
            if (!showDuring)
                m_charts->hide();
            drop(subgroups);
            if (!showDuring) {
                QCOMPARE(pictures(), shownDuring); // grabbed while hidden
                click(m_main, "contchrbutton");
            }
            QTEST(span(m_charts->xPlotted()), "span");
            if (showDuring)
                shownDuring = pictures();
            else
                QCOMPARE(pictures(), shownDuring);
        }
    }

    // Drawn while hidden, shown afterwards; Esc and Close hide it with its page kept;
    // "Copy Chart" on either chart copies that chart's picture.
    void shownWindow()
    {
        start(5, 30);
        click(m_main, "contchrbutton");
        QVERIFY(showsNear(m_charts->xChart(), m_charts->xPlotted().last(), qbColor(1)));
        click(m_charts, "chartfastlbutton");
        const QImage before = m_charts->xChart()->picture();
        for (bool escape : {true, false}) {
            escape ? QTest::keyClick(m_charts, Qt::Key_Escape) : click(m_charts, "chartpanelclosebutton");
            QVERIFY(!m_charts->isVisible());
            click(m_main, "contchrbutton");
            QCOMPARE(m_charts->xChart()->picture(), before);
        }
        for (const char *name : {"xchartpicture", "rchartpicture"}) {
            auto *picture = child<DrawingSurface>(m_charts, name);
            testsupport::chooseCopyChartInNextMenu();
            QVERIFY(answerMessages([=] { QTest::mouseRelease(picture, Qt::RightButton, {}, {9, 9}); }).isEmpty());
            QCOMPARE(QGuiApplication::clipboard()->image().size(), picture->size());
            QCOMPARE(QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32), picture->picture());
        }
    }
};

QTEST_MAIN(TestControlCharts)
#include "tst_controlcharts.moc"
