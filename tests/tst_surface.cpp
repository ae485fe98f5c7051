#include "surface/drawingsurface.h"
#include "surface/overlay.h"

#include <QLabel>
#include <QPaintEvent>
#include <QtTest>

#include <cmath>
#include <functional>
#include <memory>

using namespace kelvara;

namespace {

// Remembers what its paint events covered, to check that drawing repaints little.
class RecordingSurface : public DrawingSurface {
public:
    QRegion painted;

protected:
    void paintEvent(QPaintEvent *event) override
    {
        painted += event->region();
        DrawingSurface::paintEvent(event);
    }
};

void setUpBoard(DrawingSurface &surface, int side = 200)
{
    surface.resize(side, side);
    surface.setScale(0, 100, 100, 0);
    surface.cls();
}

int countPixels(const QImage &image, const QRect &area, const std::function<bool(QColor)> &test)
{
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += test(image.pixelColor(x, y)) ? 1 : 0;
    return n;
}

// Rows in column x that are exactly the given colour.
QList<int> rowsOf(const QImage &image, int x, QColor colour)
{
    QList<int> rows;
    for (int y = 0; y < image.height(); ++y)
        if (image.pixelColor(x, y) == colour)
            rows << y;
    return rows;
}

} // namespace

class TestSurface : public QObject {
    Q_OBJECT
private slots:
    void mapping_data()
    {
        QTest::addColumn<QRectF>("scale"); // (x1, y1) and (x2 - x1, y2 - y1)
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QPointF>("user");
        QTest::addColumn<QPointF>("pixel");
        const QRectF board(0, 100, 100, -100);
        const QRectF chart(-2, 20, 14, -10);
        const QSize square(200, 200);
        const QSize wide(280, 100);
        QTest::newRow("board upper-left") << board << square << QPointF(0, 100) << QPointF(0, 0);
        QTest::newRow("board lower-right") << board << square << QPointF(100, 0) << QPointF(200, 200);
        QTest::newRow("board y grows upward") << board << square << QPointF(25, 75) << QPointF(50, 50);
        QTest::newRow("chart upper-left") << chart << wide << QPointF(-2, 20) << QPointF(0, 0);
        QTest::newRow("chart lower-right") << chart << wide << QPointF(12, 10) << QPointF(280, 100);
        QTest::newRow("chart negative x") << chart << wide << QPointF(-1, 12.5) << QPointF(20, 75);
        QTest::newRow("y grows downward") << QRectF(0, 0, 100, 100) << wide << QPointF(50, 25) << QPointF(140, 25);
    }
    void mapping()
    {
        QFETCH(QRectF, scale);
        QFETCH(QSize, size);
        QFETCH(QPointF, user);
        QFETCH(QPointF, pixel);
        DrawingSurface surface;
        surface.resize(size);
        surface.setScale(scale.x(), scale.y(), scale.right(), scale.bottom());
        QCOMPARE(surface.scaleWidth(), scale.width());
        QCOMPARE(surface.scaleHeight(), scale.height());
        const QPointF mapped = surface.toPixels(user);
        QVERIFY2(std::abs(mapped.x() - pixel.x()) < 1e-9 && std::abs(mapped.y() - pixel.y()) < 1e-9,
                 qPrintable(QStringLiteral("mapped to %1, %2").arg(mapped.x()).arg(mapped.y())));
        const QPointF back = surface.toUser(mapped);
        QVERIFY(std::abs(back.x() - user.x()) < 1e-9 && std::abs(back.y() - user.y()) < 1e-9);
        // A user rectangle on an upward axis still maps to a proper pixel rectangle.
        QVERIFY(surface.toPixels(QRectF(user, QSizeF(1, 1))).height() > 0);
        // Text height carries the axis direction, so "one line lower" works on both.
        QVERIFY(surface.textWidth(QStringLiteral("H")) > 0);
        QCOMPARE(surface.textHeight(QStringLiteral("H")) < 0, scale.height() < 0);
    }

    void textSizeDoesNotDependOnWidgetSize()
    {
        DrawingSurface surface;
        surface.setReferenceHeight(300);
        surface.setFontSize(12);
        setUpBoard(surface, 200);
        const double width = surface.textWidth(QStringLiteral("Mean 12.34"));
        const double height = surface.textHeight(QStringLiteral("Mean 12.34"));
        for (const QSize size : {QSize(450, 450), QSize(777, 777), QSize(0, 0)}) {
            surface.resize(size);
            QVERIFY(std::abs(surface.textWidth(QStringLiteral("Mean 12.34")) / width - 1) < 0.02);
            QVERIFY(std::abs(surface.textHeight(QStringLiteral("Mean 12.34")) / height - 1) < 0.02);
        }
        DrawingSurface unscaled; // no reference height, never laid out
        unscaled.resize(0, 0);
        const double w = unscaled.textWidth(QStringLiteral("x"));
        QVERIFY(std::isfinite(w) && w > 0);
        QVERIFY(std::isfinite(unscaled.textHeight(QStringLiteral("x"))));
        QCOMPARE(unscaled.picture().size(), QSize(1, 1));
    }

    void printMovesPen_data()
    {
        QTest::addColumn<bool>("lineEnd");
        QTest::newRow("pen follows the text") << false;
        QTest::newRow("line end: next line at the left") << true;
    }
    void printMovesPen()
    {
        QFETCH(bool, lineEnd);
        DrawingSurface surface;
        setUpBoard(surface);
        surface.setCurrentX(10);
        surface.setCurrentY(90);
        const QString text = QStringLiteral("Kelvara");
        const double width = surface.textWidth(text);
        const double height = surface.textHeight(text);
        surface.print(text, lineEnd);
        QCOMPARE(surface.primitiveCount(), 1);
        QCOMPARE(surface.currentX(), lineEnd ? 0.0 : 10 + width);
        QCOMPARE(surface.currentY(), lineEnd ? 90 + height : 90.0);
        QVERIFY(!lineEnd || surface.currentY() < 90); // one line lower on an upward axis
    }

    void textIsDrawnBelowRightOfPen()
    {
        DrawingSurface surface;
        setUpBoard(surface);
        surface.setFontSize(20);
        surface.setCurrentX(50);
        surface.setCurrentY(50);
        surface.print(QStringLiteral("MMM"));
        const QImage image = surface.picture();
        const auto dark = [](QColor c) { return c.lightness() < 128; };
        QVERIFY(countPixels(image, QRect(100, 100, 40, 20), dark) > 20);
        QCOMPARE(countPixels(image, QRect(0, 0, 200, 98), dark), 0);
        QCOMPARE(countPixels(image, QRect(0, 0, 98, 200), dark), 0);
    }

    void drawingIsRerenderedOnResize()
    {
        DrawingSurface surface;
        setUpBoard(surface);
        surface.line(10, 25, 90, 25, QColor(Qt::red));
        surface.setFillSolid(true);
        surface.setFillColor(Qt::blue);
        surface.circle(50, 75, 10);
        QImage image = surface.picture();
        QList<int> rows = rowsOf(image, 100, Qt::red);
        QCOMPARE(rows.size(), 1);
        QVERIFY(std::abs(rows.first() - 150) <= 1);
        QCOMPARE(image.pixelColor(100, 50), QColor(Qt::blue));

        surface.show(); // a shown widget gets its resize event at once
        QVERIFY(QTest::qWaitForWindowExposed(&surface));
        surface.resize(400, 400);
        image = surface.picture();
        QCOMPARE(image.size(), QSize(400, 400));
        rows = rowsOf(image, 200, Qt::red);
        QCOMPARE(rows.size(), 1); // still one pixel thick: redrawn, not stretched
        QVERIFY(std::abs(rows.first() - 300) <= 1);
        QCOMPARE(image.pixelColor(230, 100), QColor(Qt::blue)); // radius now 40 pixels
        QCOMPARE(image.pixelColor(245, 100), QColor(Qt::white));
    }

    void circleFill_data()
    {
        QTest::addColumn<bool>("solid");
        QTest::addColumn<QColor>("centre");
        QTest::newRow("filled") << true << QColor(Qt::blue);
        QTest::newRow("transparent") << false << QColor(Qt::white);
    }
    void circleFill()
    {
        QFETCH(bool, solid);
        QFETCH(QColor, centre);
        DrawingSurface surface;
        setUpBoard(surface);
        surface.setFillColor(Qt::blue);
        surface.setFillSolid(solid);
        surface.setDrawWidth(2); // an outline covering pixels 119 and 120 fully
        surface.circle(50, 50, 10, QColor(Qt::black)); // 20 pixels
        const QImage image = surface.picture();
        QCOMPARE(image.pixelColor(100, 100), centre);
        QVERIFY(image.pixelColor(120, 100).lightness() < 32);
        QVERIFY(image.pixelColor(100, 79).lightness() < 32);
        QCOMPARE(image.pixelColor(125, 100), QColor(Qt::white));
    }

    void clsClearsToBackColour()
    {
        DrawingSurface surface;
        setUpBoard(surface);
        surface.line(0, 0, 100, 100);
        surface.circle(50, 50, 30);
        surface.setCurrentX(40);
        surface.cls();
        QCOMPARE(surface.primitiveCount(), 0);
        QCOMPARE(surface.currentX(), 0.0);
        QCOMPARE(surface.currentY(), 100.0);
        const auto notWhite = [](QColor c) { return c != QColor(Qt::white); };
        QCOMPARE(countPixels(surface.picture(), QRect(0, 0, 200, 200), notWhite), 0);

        surface.circle(50, 50, 30);
        surface.setBackColor(Qt::green);
        QCOMPARE(surface.primitiveCount(), 0);
        const auto notGreen = [](QColor c) { return c != QColor(Qt::green); };
        QCOMPARE(countPixels(surface.picture(), QRect(0, 0, 200, 200), notGreen), 0);
    }

    void movedShapeLeavesOldPlace()
    {
        DrawingSurface surface;
        setUpBoard(surface);
        auto *ball = new OverlayShape(&surface, QStringLiteral("qball"));
        ball->setSize(10, 10);
        ball->setColours(Qt::red, Qt::black);
        ball->move(20, 80); // pixels 40..60 on both axes
        QCOMPARE(surface.picture().pixelColor(50, 50), QColor(Qt::red));
        ball->move(60, 40);
        const QImage image = surface.picture();
        QCOMPARE(image.pixelColor(50, 50), QColor(Qt::white));
        QCOMPARE(image.pixelColor(130, 130), QColor(Qt::red));
        QCOMPARE(surface.primitiveCount(), 0); // overlays are not part of the drawing
    }

    void hiddenOverlayIsNotPainted_data()
    {
        QTest::addColumn<int>("kind");
        QTest::newRow("shape") << 0;
        QTest::newRow("line") << 1;
        QTest::newRow("image") << 2;
    }
    void hiddenOverlayIsNotPainted()
    {
        QFETCH(int, kind);
        DrawingSurface surface;
        setUpBoard(surface);
        OverlayElement *element = nullptr;
        if (kind == 0) {
            auto *shape = new OverlayShape(&surface, QStringLiteral("qball"));
            shape->setColours(Qt::red, Qt::red);
            shape->setSize(20, 20);
            shape->move(40, 60);
            element = shape;
        } else if (kind == 1) {
            auto *line = new OverlayLine(&surface, QStringLiteral("traceLine"));
            line->setColour(Qt::red);
            line->setWidth(5);
            line->setLine(0, 50, 100, 50);
            element = line;
        } else {
            QImage red(4, 4, QImage::Format_RGB32);
            red.fill(Qt::red);
            auto *image = new OverlayImage(&surface, QStringLiteral("Image1"), red);
            image->setGeometry(40, 60, 20, 20);
            element = image;
        }
        auto *other = new OverlayShape(&surface, QStringLiteral("qball")); // stays visible
        other->setSize(4, 4);
        other->move(0, 100);
        QCOMPARE(surface.picture().pixelColor(100, 100), QColor(Qt::red));
        element->setVisible(false);
        const QImage image = surface.picture();
        QCOMPARE(image.pixelColor(100, 100), QColor(Qt::white));
        QCOMPARE(image.pixelColor(4, 4), QColor(Qt::red));
    }

    void elementArrayLoadsCopies()
    {
        DrawingSurface surface;
        setUpBoard(surface);
        auto *ball = new OverlayShape(&surface, QStringLiteral("qball"));
        ball->setSize(2, 3);
        ball->move(10, 20);
        ball->setVisible(false);
        ball->setTag(QStringLiteral("template"));
        ElementArray<OverlayShape> balls(ball);
        OverlayShape *first = balls.load(1);
        QCOMPARE(balls.load(1), first);
        balls.load(7);
        QCOMPARE(balls.count(), 3);
        QCOMPARE(surface.findChildren<OverlayShape *>(QStringLiteral("qball")).size(), 3);
        QCOMPARE(first->width(), 2.0);
        QCOMPARE(first->height(), 3.0);
        QCOMPARE(first->left(), 10.0);
        QCOMPARE(first->top(), 20.0);
        QVERIFY(!first->isVisible());
        QVERIFY(first->tag().isEmpty());

        balls.unload(1);
        QVERIFY(!balls.at(1));
        QCOMPARE(balls.count(), 2);
        balls.unload(0); // the template stays
        balls.unloadAll();
        QCOMPARE(balls.count(), 1);
        QCOMPARE(balls.templateElement(), ball);
        QCOMPARE(surface.findChildren<OverlayShape *>(QStringLiteral("qball")).size(), 1);
    }

    void elementsAndSurfaceDieInAnyOrder()
    {
        // Elements owned by the surface go with it; the array notices.
        auto surface = std::make_unique<DrawingSurface>();
        ElementArray<OverlayShape> balls(new OverlayShape(surface.get(), QStringLiteral("qball")));
        balls.load(1);
        surface.reset();
        QVERIFY(!balls.at(1));
        balls.unloadAll();

        // An element taken out of the surface outlives it.
        surface = std::make_unique<DrawingSurface>();
        auto line = std::make_unique<OverlayLine>(surface.get(), QStringLiteral("traceLine"));
        line->setParent(nullptr);
        surface.reset();
        QVERIFY(!line->surface());
        line->setLine(1, 2, 3, 4);
        const std::unique_ptr<OverlayLine> copy(line->clone());
        QVERIFY(copy && !copy->surface());
        line.reset();

        // An element deleted first takes its pixels along.
        DrawingSurface board;
        setUpBoard(board);
        auto *shape = new OverlayShape(&board, QStringLiteral("qball"));
        shape->setSize(20, 20);
        shape->move(40, 60);
        delete shape;
        QCOMPARE(board.picture().pixelColor(100, 100), QColor(Qt::white));
    }

    void drawingRepaintsOnlyWhatChanged()
    {
        RecordingSurface surface;
        setUpBoard(surface);
        auto *ball = new OverlayShape(&surface, QStringLiteral("qball"));
        ball->setSize(2, 2);
        ball->move(5, 95);
        surface.show();
        QVERIFY(QTest::qWaitForWindowExposed(&surface));
        surface.refresh();
        surface.painted = QRegion();

        surface.circle(50, 50, 1);
        surface.refresh();
        QVERIFY(surface.painted.contains(QPoint(100, 100)));
        QVERIFY(surface.painted.boundingRect().width() < 20);

        surface.painted = QRegion();
        ball->move(90, 5);
        surface.refresh();
        QVERIFY(surface.painted.contains(QPoint(12, 12)));
        QVERIFY(surface.painted.contains(QPoint(182, 192)));
        QVERIFY(!surface.painted.contains(QPoint(100, 100))); // not the union of both places
    }

    void placedWidgetFollowsResize()
    {
        DrawingSurface surface;
        setUpBoard(surface);
        auto *label = new QLabel(QStringLiteral("UCL"), &surface);
        surface.placeWidget(label, 10, 90, 20, 10);
        QCOMPARE(label->geometry(), QRect(20, 20, 40, 20));
        surface.show();
        QVERIFY(QTest::qWaitForWindowExposed(&surface));
        surface.resize(400, 400);
        QCOMPARE(label->geometry(), QRect(40, 40, 80, 40));
        surface.placeWidget(label, 50, 50, 10, 10);
        QCOMPARE(label->geometry(), QRect(200, 200, 40, 40));
    }
};

QTEST_MAIN(TestSurface)
#include "tst_surface.moc"
