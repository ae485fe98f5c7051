// SPDX-License-Identifier: GPL-3.0-or-later
#include "surface/drawingsurface.h"
#include "surface/overlay.h"

#include <QLabel>
#include <QtTest>

#include <cmath>
#include <memory>

using namespace kelvara;

class TestSurface : public QObject {
    Q_OBJECT
private slots:
    // Each test starts on a fresh, shown board of 200 x 200 pixels for
    // 100 x 100 units, y growing upward: user (x, y) is pixel (2x, 200 - 2y).
    void init()
    {
        m_board = std::make_unique<DrawingSurface>();
        m_board->show(); // a shown widget gets its resize events at once
        m_board->resize(200, 200);
        m_board->setScale(0, 100, 100, 0);
    }

    void mapping_data()
    {
        QTest::addColumn<QRectF>("scale"); // (x1, y1) and (x2 - x1, y2 - y1)
        QTest::addColumn<QPointF>("user");
        QTest::addColumn<QPointF>("pixel");
        QTest::newRow("board: y grows upward") << QRectF(0, 100, 100, -100) << QPointF(25, 75) << QPointF(50, 50);
        QTest::newRow("chart: negative x") << QRectF(-2, 20, 14, -10) << QPointF(-1, 12.5) << QPointF(200 / 14.0, 150);
        QTest::newRow("y grows downward") << QRectF(0, 0, 100, 100) << QPointF(50, 25) << QPointF(100, 50);
    }
    void mapping()
    {
        QFETCH(QRectF, scale);
        QFETCH(QPointF, user);
        QFETCH(QPointF, pixel);
        m_board->setScale(scale.x(), scale.y(), scale.right(), scale.bottom());
        QCOMPARE(m_board->toPixels(user), pixel);
        QCOMPARE(m_board->toUser(pixel), user);
        // A user rectangle on an upward axis still maps to a proper pixel rectangle.
        QVERIFY(m_board->toPixels(QRectF(user, QSizeF(1, 1))).height() > 0);
        // Text height carries the axis direction, so "one line lower" works on both.
        QCOMPARE(m_board->textHeight(QStringLiteral("H")) < 0, scale.height() < 0);
    }

    void textSizeDoesNotDependOnWidgetSize()
    {
        m_board->setReferenceHeight(300);
        const QString text = QStringLiteral("Mean 12.34");
        const QSizeF size(m_board->textWidth(text), m_board->textHeight(text));
        for (const int side : {777, 0}) {
            m_board->resize(side, side);
            QVERIFY(std::abs(m_board->textWidth(text) / size.width() - 1) < 0.02);
            QVERIFY(std::abs(m_board->textHeight(text) / size.height() - 1) < 0.02);
        }
        m_board->setReferenceHeight(0); // none, at no size: still a finite size
        QVERIFY(std::isfinite(m_board->textWidth(text) * m_board->textHeight(text)) && m_board->textWidth(text) > 0);
        QCOMPARE(m_board->picture().size(), QSize(1, 1));
    }

    void printMovesPenAndClsMovesItHome()
    {
        const QString text = QStringLiteral("Kelvara");
        const double width = m_board->textWidth(text), height = m_board->textHeight(text);
        m_board->setCurrentX(10);
        m_board->setCurrentY(90);
        m_board->print(text);
        QCOMPARE(QPointF(m_board->currentX(), m_board->currentY()), QPointF(10 + width, 90));
        m_board->print(text, true); // a line end: one line lower, at the left
        QCOMPARE(QPointF(m_board->currentX(), m_board->currentY()), QPointF(0, 90 + height));
        m_board->circle(50, 50, 30); // leaves the pen at its centre; the outline runs through pixel (160, 100)
        m_board->cls();
        QCOMPARE(m_board->primitiveCount(), 0);
        QCOMPARE(QPointF(m_board->currentX(), m_board->currentY()), QPointF(0, 100));
        QCOMPARE(m_board->picture().pixelColor(160, 100), QColor(Qt::white));
    }

    void drawingShowsAndIsRedrawnOnResize()
    {
        m_board->line(10, 25, 90, 25, QColor(Qt::red));
        m_board->setFillSolid(true);
        m_board->circle(50, 75, 10); // black, pixels 80..120 across
        m_board->setFillSolid(false);
        m_board->circle(75, 75, 10, QColor(Qt::blue));
        QCOMPARE(m_board->picture().pixelColor(100, 150), QColor(Qt::red));
        m_board->resize(400, 400);
        const QImage image = m_board->picture();
        QCOMPARE(image.pixelColor(200, 300), QColor(Qt::red));
        QCOMPARE(image.pixelColor(200, 301), QColor(Qt::white)); // still one pixel thick, not stretched
        QCOMPARE(image.pixelColor(230, 100), QColor(Qt::black)); // radius now 40 pixels
        QCOMPARE(image.pixelColor(245, 100), QColor(Qt::white));
        QCOMPARE(image.pixelColor(300, 100), QColor(Qt::white)); // the transparent one's centre
        // and its outline, which another Qt may set a pixel either side of its exact edge
        QVERIFY(image.pixelColor(339, 100) != QColor(Qt::white) || image.pixelColor(340, 100) != QColor(Qt::white));
    }

    void overlaysPaintWhereAndWhileTheyAreShown()
    {
        OverlayShape *ball = addBall(20, 80); // pixels 40..60 on both axes
        QCOMPARE(m_board->picture().pixelColor(50, 50), QColor(Qt::red));
        ball->move(45, 55);
        QCOMPARE(m_board->picture().pixelColor(50, 50), QColor(Qt::white));
        QCOMPARE(m_board->picture().pixelColor(100, 100), QColor(Qt::red));
        QCOMPARE(m_board->primitiveCount(), 0); // overlays are not part of the drawing
        auto *line = new OverlayLine(m_board.get(), QStringLiteral("traceLine"));
        line->setWidth(5);
        line->setLine(0, 50, 100, 50); // over the ball's centre, pixel (100, 100)
        ball->setVisible(false);
        QVERIFY(m_board->picture().pixelColor(100, 100) != QColor(Qt::white)); // the line still shows
        line->setVisible(false);
        QCOMPARE(m_board->picture().pixelColor(100, 100), QColor(Qt::white));
    }

    void elementArrayLoadsCopiesUnderOneName()
    {
        OverlayShape *ball = addBall(10, 20);
        ball->setVisible(false);
        ElementArray<OverlayShape> balls(ball);
        OverlayShape *first = balls.load(1);
        balls.load(1); // already there: no second copy
        balls.load(7);
        QCOMPARE(balls.count(), 3);
        QCOMPARE(m_board->findChildren<OverlayShape *>(QStringLiteral("qball")).size(), 3);
        QVERIFY(first->userBounds() == ball->userBounds() && !first->isVisible());
        balls.unload(1);
        QVERIFY(!balls.at(1));
        balls.unload(0); // the template stays
        balls.unloadAll();
        QCOMPARE(m_board->findChildren<OverlayShape *>(QStringLiteral("qball")).size(), 1);
        balls.load(1);
        m_board.reset(); // takes the elements along; the array notices
        QVERIFY(!balls.at(1) && !balls.templateElement());
    }

    void elementAndSurfaceDieInEitherOrder()
    {
        delete addBall(45, 55); // takes its pixels along
        QCOMPARE(m_board->picture().pixelColor(100, 100), QColor(Qt::white));
        // An element taken out of the surface outlives it.
        auto line = std::make_unique<OverlayLine>(m_board.get(), QStringLiteral("traceLine"));
        line->setParent(nullptr);
        m_board.reset();
        QVERIFY(!line->surface());
        line->setLine(1, 2, 3, 4);
        QVERIFY(!std::unique_ptr<OverlayLine>(line->clone())->surface());
    }

    void placedWidgetFollowsScaleAndResize()
    {
        auto *label = new QLabel(QStringLiteral("UCL"), m_board.get());
        m_board->placeWidget(label, 10, 90, 20, 10);
        QCOMPARE(label->geometry(), QRect(20, 20, 40, 20));
        m_board->setScale(0, 0, 100, 100); // y now grows downward
        QCOMPARE(label->geometry(), QRect(20, 180, 40, 20));
        m_board->resize(400, 400);
        QCOMPARE(label->geometry(), QRect(40, 360, 80, 40));
    }

private:
    // A red ball 20 pixels across with its upper-left corner at (left, top).
    OverlayShape *addBall(double left, double top)
    {
        auto *ball = new OverlayShape(m_board.get(), QStringLiteral("qball"));
        ball->setSize(10, 10);
        ball->move(left, top);
        return ball;
    }

    std::unique_ptr<DrawingSurface> m_board;
};

QTEST_MAIN(TestSurface)
#include "tst_surface.moc"
