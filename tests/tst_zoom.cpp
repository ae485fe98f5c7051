// SPDX-License-Identifier: GPL-3.0-or-later
// The zoom of the program's text: its range and steps from the keys in every
// window and from the board's menu, remembered across a restart, steps that
// never shrink the board and come back whole, and on a 1920x1080 screen at
// 200 % every text at least 20 pixels high with nothing cut. The test runs on
// an offscreen screen of that size.

#include "readability.h"
#include "testsupport.h"

#include "common/preferences.h"
#include "common/zoom.h"
#include "reports/controlchartswindow.h"
#include "reports/histogramchart.h"
#include "surface/drawingsurface.h"
#include "windows/helpwindow.h"
#include "windows/scaledialog.h"

#include <QGraphicsSimpleTextItem>
#include <QLabel>
#include <QMenu>
#include <QScreen>
#include <QTableWidget>
#include <QTextBrowser>
#include <QValueAxis>

using namespace kelvara;
using testsupport::child;

namespace {

constexpr double smallestText = 20.0;

double pixels(const QFont &font)
{
    return QFontInfo(font).pixelSize();
}

void expectReadable(QWidget *window, double smallestPixels = smallestText)
{
    const QStringList faults = testsupport::unreadableTextsOnceSettled(window, smallestPixels);
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QStringLiteral("; "))));
}

// Pixels between the end of the "SubGroups" caption's letters and the Run button.
int captionGapToRun(QWidget *main)
{
    QWidget *run = child(main, "dropbutton");
    for (auto *caption : run->parentWidget()->findChildren<QLabel *>())
        if (caption->text() == QStringLiteral("SubGroups"))
            return run->x() - caption->x() - caption->contentsRect().left()
                   - QFontMetrics(caption->font()).horizontalAdvance(caption->text());
    return -1;
}

// Whether each shown window lies wholly within the screen's free area.
bool windowsWithinTheScreen()
{
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    const QWidgetList windows = QApplication::topLevelWidgets();
    return std::all_of(windows.cbegin(), windows.cend(),
                       [&](const QWidget *window) { return !window->isVisible() || area.contains(window->frameGeometry()); });
}

} // namespace

class TestZoom : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        testsupport::freshConfiguration();
        m_main = testsupport::startMainWindow();
        QVERIFY(m_main);
        QCOMPARE(zoom::percent(), 100);
        m_basePoints = QApplication::font().pointSizeF();
    }

    void keysAndMenuStepWithinTheRange()
    {
        QTRY_COMPARE(QApplication::activeWindow(), m_main);
        QList<int> seen;
        for (int press = 0; press < 5; ++press) {
            QTest::keyClick(child(m_main, "rowstext"), Qt::Key_Plus, Qt::ControlModifier);
            seen << zoom::percent();
        }
        QTest::keyClick(m_main, Qt::Key_Minus, Qt::ControlModifier);
        seen << zoom::percent();
        QCOMPARE(seen, QList<int>({125, 150, 175, 200, 200, 175}));
        QCOMPARE(preferences::number(preferences::zoomPercent, 0), 175);

        // The board's menu, chosen by keyboard: Zoom In, Zoom Out, Actual Size.
        QTimer::singleShot(0, [] {
            auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
            QVERIFY(menu && menu->objectName() == QStringLiteral("mnuBoard"));
            QTest::keyClick(menu, Qt::Key_Up);
            QTest::keyClick(menu, Qt::Key_Return);
        });
        QWidget *board = child(m_main, "qpicture");
        QContextMenuEvent rightClick(QContextMenuEvent::Mouse, board->rect().center(), board->mapToGlobal(board->rect().center()));
        QApplication::sendEvent(board, &rightClick);
        QCOMPARE(zoom::percent(), 100);
        QCOMPARE(preferences::number(preferences::zoomPercent, 0), 100);
    }

    void keysWorkInEveryWindow()
    {
        m_main->showManual(QStringLiteral("index.html"));
        QTest::keyClick(m_main->manual(), Qt::Key_Equal, Qt::ControlModifier);
        QCOMPARE(zoom::percent(), 125);
        QTest::keyClick(m_main->chartsWindow(), Qt::Key_Plus, Qt::ControlModifier);
        QCOMPARE(zoom::percent(), 150);
        ScaleDialog scale(m_main);
        QTest::keyClick(child(&scale, "usltext"), Qt::Key_0, Qt::ControlModifier);
        QCOMPARE(zoom::percent(), 100);
        m_main->manual()->hide();
    }

    void rememberedAcrossARestart()
    {
        preferences::setNumber(preferences::zoomPercent, 150);
        m_main = testsupport::startMainWindow();
        QCOMPARE(zoom::percent(), 150);
        QCOMPARE(m_main->size(), QSize(1500, 1008)); // 1.5 times the opening size, as high as the screen allows
        QCOMPARE(QApplication::font().pointSizeF(), m_basePoints * 1.5);
        QVERIFY(child(m_main, "dropbutton")->font().pointSizeF() >= m_basePoints * 1.5 * 1.2); // Run's bold text, at least
        // A label placed on the board keeps its design size, not the zoomed one it was made with.
        zoom::actualSize();
        const double boardGrowth = child(m_main, "qpicture")->height() / 640.0;
        QCOMPARE(child(m_main, "lblProcCen")->font().pointSizeF(), m_basePoints * 0.85 * boardGrowth);
    }

    // Maximised, the board stays square and as tall as the window allows; the
    // panel takes all the width left, with its text grown to fill it, and
    // both go back with the window.
    void maximisedPanelTakesTheSpareWidthWithLargerText()
    {
        QWidget *panel = child(m_main, "contpanel");
        QWidget *board = child(m_main, "qpicture");
        m_main->resize(testsupport::openingSize);
        const double normalPixels = pixels(panel->font());
        QCOMPARE(panel->width(), 310);
        m_main->showMaximized();
        QTRY_COMPARE_WITH_TIMEOUT(board->size(), QSize(m_main->height() - 12, m_main->height() - 12), 10000);
        QTRY_COMPARE_WITH_TIMEOUT(panel->geometry().left() - board->mapTo(m_main, QPoint(board->width(), 0)).x(), 6, 10000);
        QTRY_COMPARE_WITH_TIMEOUT(panel->geometry().right(), m_main->width() - 7, 10000);
        QTRY_VERIFY_WITH_TIMEOUT(pixels(panel->font()) >= 1.5 * normalPixels, 10000);
        expectReadable(m_main, normalPixels);
        m_main->showNormal();
        QTRY_COMPARE_WITH_TIMEOUT(panel->width(), 310, 10000);
        QTRY_COMPARE_WITH_TIMEOUT(pixels(panel->font()), normalPixels, 10000);
    }

    void zoomStepsNeverShrinkTheBoard_data()
    {
        QTest::addColumn<bool>("maximised");
        QTest::newRow("at the opening size, by the screen's right edge") << false;
        QTest::newRow("maximised") << true;
    }

    // Each step grows the window as far as the screen allows, or the board
    // keeps its place: the board and its text never get smaller, every window
    // stays on the screen, and the caption keeps clear of Run. Back at 100 %
    // all is as it was, the window's smallest size too.
    void zoomStepsNeverShrinkTheBoard()
    {
        QFETCH(bool, maximised);
        zoom::actualSize();
        auto *board = child<DrawingSurface>(m_main, "qpicture");
        m_main->showNormal();
        m_main->resize(testsupport::openingSize);
        m_main->move(800, 300);
        if (maximised) {
            m_main->showMaximized();
            QTRY_VERIFY_WITH_TIMEOUT(m_main->width() > testsupport::openingSize.width(), 10000);
        }
        // The charts with their limits' values, which widen them with the zoom.
        QVERIFY(testsupport::runSubgroups(m_main, 20).isEmpty());
        QWidget *charts = m_main->chartsWindow();
        testsupport::click(m_main, QStringLiteral("contchrbutton"));
        charts->move(QGuiApplication::primaryScreen()->availableGeometry().bottomRight()
                     - charts->frameGeometry().bottomRight() + charts->pos() - QPoint(10, 10));
        QTRY_VERIFY_WITH_TIMEOUT(board->width() > 600, 10000);
        const QSize size = m_main->size(), smallest = m_main->minimumSize(), side = board->size();
        const double text = board->smallestTextPixels();
        for (int step = 0; step < 4; ++step) {
            const int before = board->width();
            const double textBefore = board->smallestTextPixels();
            zoom::zoomIn();
            QTRY_VERIFY_WITH_TIMEOUT(windowsWithinTheScreen(), 10000);
            QTRY_VERIFY_WITH_TIMEOUT(captionGapToRun(m_main) >= 4, 10000);
            QTRY_VERIFY_WITH_TIMEOUT(board->width() >= before, 10000);
            QVERIFY(board->smallestTextPixels() >= textBefore);
        }
        zoom::actualSize();
        QTRY_COMPARE_WITH_TIMEOUT(m_main->size(), size, 10000);
        QTRY_COMPARE_WITH_TIMEOUT(board->size(), side, 10000);
        QCOMPARE(board->smallestTextPixels(), text);
        QCOMPARE(m_main->minimumSize(), smallest);
        charts->hide();
        m_main->showNormal();
        testsupport::click(m_main, QStringLiteral("resetbutton"));
    }

    // Maximised on a 1920x1080 screen at 200 %: the main window with the
    // board and with the histograms, the charts, the scale dialog, the manual.
    void largestZoomIsReadableOnAFullHdScreen()
    {
        QCOMPARE(QGuiApplication::primaryScreen()->size(), QSize(1920, 1080));
        zoom::setPercent(200);
        m_main->showMaximized();
        testsupport::click(m_main, QStringLiteral("dropbutton"));
        expectReadable(m_main);
        QTRY_VERIFY_WITH_TIMEOUT(m_main->frameGeometry().height() <= QGuiApplication::primaryScreen()->availableGeometry().height(), 10000);

        testsupport::click(m_main, QStringLiteral("contchrbutton"));
        expectReadable(m_main->chartsWindow());
        m_main->chartsWindow()->hide();

        testsupport::click(m_main, QStringLiteral("histbutton"));
        expectReadable(m_main);
        for (auto *chart : m_main->findChildren<HistogramChart *>()) {
            for (QAbstractAxis *axis : chart->chart()->axes())
                if (auto *counts = qobject_cast<QValueAxis *>(axis))
                    QVERIFY(pixels(counts->labelsFont()) >= smallestText);
            for (QGraphicsItem *item : chart->chart()->childItems())
                if (auto *label = dynamic_cast<QGraphicsSimpleTextItem *>(item))
                    QVERIFY(pixels(label->font()) >= smallestText);
        }
        auto *table = child<QTableWidget>(m_main, "grdScaled");
        QVERIFY(pixels(table->font()) >= smallestText);
        testsupport::click(m_main, QStringLiteral("histbackbutton"));

        ScaleDialog scale(m_main);
        scale.show();
        expectReadable(&scale);
        scale.hide();

        m_main->showManual(QStringLiteral("mainwindow.html"));
        expectReadable(m_main->manual());
        QVERIFY(pixels(m_main->manual()->browser()->document()->defaultFont()) >= smallestText);
        zoom::actualSize();
    }

private:
    QuincunxForm *m_main = nullptr;
    double m_basePoints = 0;
};

// The tests run on a 1920x1080 screen.
KELVARA_TEST_ON_SCREEN(TestZoom, 1920, 1080)

#include "tst_zoom.moc"
