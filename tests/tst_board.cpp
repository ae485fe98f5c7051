// SPDX-License-Identifier: GPL-3.0-or-later
// The board as the main window draws it: geometry for each row setting,
// what Reset restores, and what a change of rows keeps.

#include "testsupport.h"

#include "surface/drawingsurface.h"
#include "surface/overlay.h"
#include "windows/scaledialog.h"

#include <QCheckBox>
#include <QLabel>
#include <QScrollBar>
#include <QToolButton>

using namespace kelvara;
using testsupport::child;

namespace {

// Applies a centre and half-width in the scale dialog and closes it, which sets the decimals.
void applyScale(QuincunxForm *form, const QString &centre, const QString &halfWidth)
{
    ScaleDialog dialog(form);
    dialog.show();
    child<QLineEdit>(&dialog, "scalecentretext")->setText(centre);
    child<QLineEdit>(&dialog, "scalehalfwidthtext")->setText(halfWidth);
    testsupport::click(&dialog, QStringLiteral("scaleapplybutton"));
    testsupport::click(&dialog, QStringLiteral("scalepanelclosebutton"));
}

// The part of an icon's picture that is not transparent.
QSize paintedSize(const QIcon &icon, QSize size)
{
    const QImage image = icon.pixmap(size).toImage();
    QRect painted;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) > 0)
                painted |= QRect(x, y, 1, 1);
    return painted.size();
}

} // namespace

class TestBoard : public QObject {
    Q_OBJECT
private slots:
    void geometryFollowsTheRows_data()
    {
        QTest::addColumn<int>("rows");
        QTest::addColumn<double>("slotOrigin");
        QTest::addColumn<int>("pinLevels");
        QTest::newRow("20 rows: all staggered") << 20 << 10.0 << 21;
        QTest::newRow("19 rows") << 19 << 11.25 << 20;
        QTest::newRow("1 row") << 1 << 11.25 << 2;
        QTest::newRow("2 rows") << 2 << 10.0 << 3;
    }
    void geometryFollowsTheRows()
    {
        QFETCH(int, rows);
        QFETCH(double, slotOrigin);
        QFETCH(int, pinLevels);
        QuincunxForm *form = testsupport::startMainWindow();
        child<QLineEdit>(form, "rowstext")->setText(QString::number(rows));
        const RunState &run = form->quincunxRun().state();
        QCOMPARE(form->board().slotOrigin(), slotOrigin);
        QCOMPARE(int(run.pinLevels), pinLevels);
        QCOMPARE(run.pinsBottomY, 63.5f);
        for (int k = 1; k <= 31; ++k)
            QCOMPARE(run.slotX[k], float(slotOrigin + 1.25 + 2.5 * (k - 1)));
        QCOMPARE(form->board().funnel().image()->left(), 47.5);
        QCOMPARE(form->board().funnel().image()->top(), 99.12);
    }

    void firstActivationDrawsTheDefaultBoard()
    {
        QuincunxForm *form = testsupport::startMainWindow();
        const RunState &run = form->quincunxRun().state();
        QCOMPARE(run.ballSize, 0.845f);
        const OverlayShape *ball = form->board().shapes().balls.templateElement();
        QCOMPARE(ball->width(), ball->height());
        // The baffle line stands 65 balls above the floor, hidden with its handle until asked for.
        QVERIFY(qAbs(form->board().baffle().y() - (3 + 65 * 0.845)) < 1e-4);
        QVERIFY(!form->board().baffle().line()->isVisible());
        QVERIFY(!child<QToolButton>(form, "bafflehandle")->isVisible());
        // Pins, walls, floor, scales and frame were drawn.
        QVERIFY(child<DrawingSurface>(form, "qpicture")->primitiveCount() > 21 * 31);
    }

    void specLimitLinesStandOnTheEndSlots()
    {
        QuincunxForm *form = testsupport::startMainWindow();
        testsupport::showSpecLimits(true); // same half-width: a redraw
        auto *usl = form->findChild<OverlayLine *>(QStringLiteral("usl"));
        auto *lsl = form->findChild<OverlayLine *>(QStringLiteral("lsl"));
        QVERIFY(usl->isVisible() && lsl->isVisible());
        QCOMPARE(lsl->x1(), 11.25);  // centre of slot 1
        QCOMPARE(usl->x1(), 86.25);  // centre of slot 31
        QCOMPARE(usl->y1(), 57.99);
        QCOMPARE(usl->y2(), 3.0);
        QVERIFY(child<QLabel>(form, "usllabel")->isVisible());

        testsupport::showSpecLimits(false);
        QVERIFY(!usl->isVisible() && !child<QLabel>(form, "lsllabel")->isVisible());
    }

    void resetRestoresAnEmptyRun()
    {
        QuincunxForm *form = testsupport::startMainWindow();
        testsupport::runSubgroups(form, 20); // the limits fixed: their grand mean survives Reset
        child<QScrollBar>(form, "HScroll1")->setValue(5);
        form->quincunxRun().moveFunnel(-1);
        const float xBarBar = form->quincunxRun().state().xBarBar;
        QVERIFY(xBarBar > 0.0f);
        testsupport::click(form, QStringLiteral("resetbutton"));

        const RunState &run = form->quincunxRun().state();
        QCOMPARE(int(run.subgroupCount), 0);
        QCOMPARE(child<QLabel>(form, "subgroupstatuslabel")->text(), QStringLiteral("Sub Group 0"));
        QCOMPARE(run.funnelPosition, 16.0f);
        QCOMPARE(child<QLabel>(form, "processcenteredatlabel")->text(), QStringLiteral("16.00"));
        QCOMPARE(child<QScrollBar>(form, "HScroll1")->value(), 3);
        QCOMPARE(run.stepDelay, 0.04);
        QCOMPARE(run.xBarBar, xBarBar);
        QVERIFY(run.processUnchanged);
        QVERIFY(!run.isRunning);
        QCOMPARE(run.slotCount, PerSlot<int16>());
        QCOMPARE(run.baffleCount, PerSlot<int16>());
        QCOMPARE(form->quincunxRun().record().rowCount(), 0);
        QCOMPARE(form->measurementTable().rowCount(), 1);
        QCOMPARE(form->measurementTable().text(0, 6), QStringLiteral("Average"));
    }

    // The piles and the table stay; the baffle's balls drop onto the piles below them.
    void changingRowsKeepsTheRunAndEmptiesTheBaffle()
    {
        QuincunxForm *form = testsupport::startMainWindow();
        testsupport::runSubgroups(form, 4);
        child<QCheckBox>(form, "bafflepresentcheck")->setChecked(true);
        testsupport::runSubgroups(form, 1);
        form->quincunxRun().moveFunnel(+1);
        QCOMPARE(int(form->quincunxRun().state().baffleBallCount), 5);
        PerSlot<int16> piles = form->quincunxRun().state().slotCount;
        for (int slot = 1; slot <= 31; ++slot)
            piles[slot] = int16(piles[slot] + form->quincunxRun().state().baffleCount[slot]);
        const QString lastAverage = form->measurementTable().text(5, 6);
        child<QLineEdit>(form, "rowstext")->setText(QStringLiteral("7"));

        const RunState &run = form->quincunxRun().state();
        QCOMPARE(run.slotCount, piles);
        QCOMPARE(run.baffleCount, PerSlot<int16>());
        QCOMPARE(int(run.baffleBallCount), 0);
        QCOMPARE(int(run.subgroupCount), 5);
        QCOMPARE(run.funnelPosition, 16.0f);
        QCOMPARE(form->findChildren<OverlayShape *>(QStringLiteral("qball")).size(), 1);
        QCOMPARE(form->measurementTable().text(5, 6), lastAverage);
    }

    void boardPictureIsSquareAtAnyWindowShape_data()
    {
        QTest::addColumn<QSize>("windowSize");
        QTest::newRow("wide") << QSize(1400, 700);
        QTest::newRow("small screen") << QSize(1000, 720);
        QTest::newRow("tall") << QSize(1000, 1000);
    }
    void boardPictureIsSquareAtAnyWindowShape()
    {
        QFETCH(QSize, windowSize);
        QuincunxForm *form = testsupport::startMainWindow();
        form->resize(windowSize);
        auto *picture = child<DrawingSurface>(form, "qpicture");
        QTRY_COMPARE_WITH_TIMEOUT(picture->width(), picture->height(), 10000);
    }

    // The number labels show their whole text at the opening size and the smallest: a long centre
    // widens its label to the left, and its font shrinks no lower than 7 points.
    void numberLabelsShowTheirWholeText_data()
    {
        QTest::addColumn<QString>("centre");
        QTest::addColumn<QString>("halfWidth");
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("movesLeft");
        QTest::addColumn<QString>("shown");
        QTest::newRow("default") << "16" << "15" << 20 << 0 << "16.00";
        QTest::newRow("centre 100, three decimals") << "100" << "3" << 20 << 0 << "100.000";
        QTest::newRow("centre 999999, six decimals") << "999999" << "1" << 20 << 0 << "999999.000000";
        QTest::newRow("wide negative scale, far left") << "-99999" << "999999" << 1 << 14 << "-1033331.375000";
    }
    void numberLabelsShowTheirWholeText()
    {
        QFETCH(QString, centre);
        QFETCH(QString, halfWidth);
        QFETCH(int, rows);
        QFETCH(int, movesLeft);
        QuincunxForm *form = testsupport::startMainWindow();
        applyScale(form, centre, halfWidth);
        child<QLineEdit>(form, "rowstext")->setText(QString::number(rows));
        for (int move = 0; move < movesLeft; ++move)
            testsupport::click(form, QStringLiteral("funnelleftbutton"));
        child<QLineEdit>(form, "climitstext")->setText(QStringLiteral("5"));
        testsupport::runSubgroups(form, 6);
        QTEST(child<QLabel>(form, "processcenteredatlabel")->text(), "shown");

        auto *board = child<QWidget>(form, "qpicture");
        for (const QSize size : {testsupport::openingSize, form->minimumSizeHint()}) {
            form->resize(size);
            QApplication::processEvents();
            for (const char *name : {"processcenteredatlabel", "cplabel", "cpklabel", "pplabel", "ppklabel"}) {
                const auto *label = child<QLabel>(form, name);
                const QString where = QStringLiteral("%1 at %2 px: %3 in %4 px, %5 pt").arg(name).arg(board->width())
                        .arg(label->text()).arg(label->width()).arg(label->font().pointSizeF());
                QVERIFY2(label->isVisible() && label->font().pointSizeF() >= 7.0
                             && label->fontMetrics().horizontalAdvance(label->text()) <= label->contentsRect().width()
                             && board->rect().contains(label->geometry()), qPrintable(where));
            }
        }
    }

    // The baffle's handle is a picture of at least 24 x 24 pixels that grows with the board.
    void baffleHandleIsEasyToFindAndHit()
    {
        QuincunxForm *form = testsupport::startMainWindow();
        form->resize(testsupport::openingSize);
        QApplication::processEvents();
        child<QCheckBox>(form, "bafflepresentcheck")->click();
        auto *handle = child<QToolButton>(form, "bafflehandle");
        const QSize opening = paintedSize(handle->icon(), handle->iconSize());
        QVERIFY2(opening.width() >= 24 && opening.height() >= 24, qPrintable(QStringLiteral("%1x%2").arg(opening.width()).arg(opening.height())));
        QVERIFY(handle->rect().contains(QRect(QPoint(), handle->iconSize())));
        QVERIFY(!handle->toolTip().isEmpty());
        form->resize(1400, 1000);
        QTRY_VERIFY_WITH_TIMEOUT(paintedSize(handle->icon(), handle->iconSize()).width() > opening.width(), 10000);
    }
};

QTEST_MAIN(TestBoard)
#include "tst_board.moc"
