// SPDX-License-Identifier: GPL-3.0-or-later
// "Save Chart As..." on the control charts and the histograms: the real save
// dialog, PNG images at least 1600 pixels wide laid out at that size, SVG
// drawings of paths and text, and a failed save that leaves no file.

#include "common/messages.h"
#include "reports/chartsaving.h"
#include "rundriver.h"

#include <QChartView>
#include <QPainter>
#include <QSvgRenderer>

using namespace kelvara;
using namespace testsupport;

namespace {

// Share of the pixels in a band of rows that are not white: something is drawn there.
double inkIn(const QImage &image, int top, int bottom)
{
    int ink = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = 0; x < image.width(); ++x)
            ink += image.pixel(x, y) != qRgb(255, 255, 255);
    return double(ink) / (image.width() * std::max(1, bottom - top));
}

} // namespace

class TestSaveChart : public QObject {
    Q_OBJECT
    QWidget *m_window = nullptr;
    QTemporaryDir m_folder;

    // Right-clicks the chart, chooses "Save Chart As..." and names the file in the dialog.
    DialogVisit saveVia(QWidget *chart, const QString &name, int filter = 0)
    {
        chooseInNextMenu(QStringLiteral("Save Chart As..."));
        return useSaveDialog([chart] { QTest::mouseClick(chart, Qt::RightButton); }, m_folder.filePath(name), filter);
    }

private slots:
    void initTestCase()
    {
        freshConfiguration();
        QVERIFY(m_window = startProgram());
        rundriver::startRun(m_window, 5);
        QVERIFY(rundriver::dropSubgroups(m_window, 22));
    }

    // The X-bar chart as PNG and the R chart as SVG, each with its title and limits above it.
    void controlCharts()
    {
        click(m_window, "contchrbutton");
        QWidget *charts = topLevel("frmCtrlChrt");
        QWidget *xChart = child(charts, "xchartpicture");
        const DialogVisit visit = saveVia(xChart, "upper.png");
        QCOMPARE(visit.name, QStringLiteral("dlgSaveChart"));
        QCOMPARE(visit.filters, QStringList({"PNG image (*.png)", "SVG drawing (*.svg)"}));
        const QImage upper(m_folder.filePath("upper.png"));
        QVERIFY(upper.width() >= savedChartMinimumWidth);
        // The chart keeps its shape below a heading line that has text in it.
        const double chartHeight = upper.width() * double(xChart->height()) / xChart->width();
        const int headingHeight = upper.height() - int(chartHeight);
        QVERIFY(headingHeight > 20 && headingHeight < 120);
        QVERIFY(inkIn(upper, 0, headingHeight) > 0.005);

        // A name without its extension gets the chosen type's.
        saveVia(child(charts, "rchartpicture"), "lower", 1);
        QFile drawing(m_folder.filePath("lower.svg"));
        QVERIFY(drawing.open(QIODevice::ReadOnly));
        const QString svg = QString::fromUtf8(drawing.readAll());
        QVERIFY(svg.contains(QStringLiteral("<polyline")));
        for (const char *text : {"R Chart:", "R-Bar = ", "UCLr = "})
            QVERIFY2(svg.contains(QLatin1String(text)), text);
        QSvgRenderer renderer(m_folder.filePath("lower.svg"));
        QVERIFY(renderer.isValid() && renderer.viewBox().width() >= savedChartMinimumWidth);
        charts->hide();
    }

    // The histogram as the name's extension says, whatever type was chosen; its labels are
    // laid out at the saved size, not scaled up.
    void histogram()
    {
        QVERIFY(answerMessages([this] { click(m_window, "histbutton"); }).isEmpty());
        auto *chart = child<QChartView>(m_window, "indGraph");
        saveVia(chart->viewport(), "individuals.png", 1);
        const QImage saved(m_folder.filePath("individuals.png"));
        QVERIFY(!saved.isNull() && saved.width() >= savedChartMinimumWidth);
        QVERIFY(inkIn(saved, 0, saved.height()) > 0.02);
        click(m_window, "histbackbutton");
    }

    // A file that cannot be written: nothing is left, and the error waits for its report.
    void failedSaveLeavesNoFile()
    {
        QVERIFY(QFile(m_folder.filePath("plain")).open(QIODevice::WriteOnly)); // a file where a folder should be
        ChartPicture picture{"Title", "Values", {}, QSize(400, 200),
                             [](QPainter &painter, const QSize &size, double) { painter.fillRect(QRect(QPoint(), size), Qt::blue); }};
        for (const ChartFileType type : {ChartFileType::Png, ChartFileType::Svg}) {
            const QString path = m_folder.filePath("plain/chart");
            QVERIFY(!writeChartFile(path, type, picture));
            QVERIFY(!QFileInfo::exists(path));
            QVERIFY(errorPending());
            QCOMPARE(answerMessages([] { reportError(QStringLiteral("Error saving chart!")); }).size(), 1);
        }
        QVERIFY(writeChartFile(m_folder.filePath("small.png"), ChartFileType::Png, picture));
        QCOMPARE(QImage(m_folder.filePath("small.png")).width(), savedChartMinimumWidth);
        QCOMPARE(chartFileTypeOf("a.SVG", ChartFileType::Png), ChartFileType::Svg);
        QCOMPARE(chartFileTypeOf("a.jpg", ChartFileType::Svg), ChartFileType::Svg);
    }
};

QTEST_MAIN(TestSaveChart)
#include "tst_savechart.moc"
