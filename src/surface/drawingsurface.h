// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A picture that the program draws on in its own user coordinates. What is
// drawn is kept as a display list and rendered into a cached image at the
// widget's size: a new primitive is painted into the cache and only its
// region is repainted; a resize re-renders the whole list, so the picture
// stays crisp at any size. Text sizes scale with the widget, so the picture
// keeps its proportions.
//
// Overlay elements (lines, circle shapes, images) are painted above the
// drawing; child widgets (labels, buttons) can be placed in user units and
// follow every resize.

#include <QColor>
#include <QFontMetricsF>
#include <QImage>
#include <QPointF>
#include <QPointer>
#include <QRectF>
#include <QRegion>
#include <QWidget>

#include <memory>
#include <optional>
#include <vector>

namespace kelvara {

class FittingLabel;
class OverlayElement;

class DrawingSurface : public QWidget {
    Q_OBJECT
public:
    explicit DrawingSurface(QWidget *parent = nullptr);
    ~DrawingSurface() override;

    /// (x1, y1) becomes the upper-left corner and (x2, y2) the lower-right.
    void setScale(double x1, double y1, double x2, double y2);
    double scaleLeft() const { return m_left; }
    double scaleTop() const { return m_top; }
    double scaleWidth() const { return m_width; }   // x2 - x1 (signed)
    double scaleHeight() const { return m_height; } // y2 - y1 (signed)

    /// Pixel height at which font sizes are their nominal point size.
    void setReferenceHeight(int pixels);

    QPointF toPixels(QPointF user) const;
    QRectF toPixels(const QRectF &userRect) const; // normalised pixel rectangle
    QPointF toUser(QPointF pixel) const;

    // Pen and fill state used by the drawing operations below.
    QColor foreColor() const { return m_foreColor; }
    void setForeColor(const QColor &colour) { m_foreColor = colour; }
    void setBackColor(const QColor &colour); // clears the picture, as a new background does
    void setFillColor(const QColor &colour) { m_fillColor = colour; }
    void setFillSolid(bool solid) { m_fillSolid = solid; }
    void setDrawWidth(int pixels) { m_drawWidth = pixels; }
    /// Solid, dotted or dashed lines.
    Qt::PenStyle drawStyle() const { return m_drawStyle; }
    void setDrawStyle(Qt::PenStyle style) { m_drawStyle = style; }
    /// Texts, placed labels included, are never drawn smaller than this many
    /// pixels (0: no minimum); the picture is drawn again at once. With
    /// `forLayout`, textWidth and textHeight measure the larger text too, for
    /// a picture laid out again whenever it changes; without, they measure
    /// the text as the picture's own scaling has it, for a picture drawn once,
    /// and the text grows at most a quarter beyond that scaling.
    void setMinimumTextPixels(double pixels, bool forLayout);
    /// The pixel size of the smallest text the picture shows now; 0 without text.
    double smallestTextPixels() const;
    /// Where the letters of each text the picture shows now lie, in its pixels.
    QList<QRect> textAreas() const;

    double fontSize() const { return m_fontSize; }
    void setFontSize(double points) { m_fontSize = points; }
    double currentX() const { return m_currentX; }
    double currentY() const { return m_currentY; }
    void setCurrentX(double x) { m_currentX = x; }
    void setCurrentY(double y) { m_currentY = y; }

    /// Clears to the background colour; the pen goes to the upper-left corner.
    void cls();
    /// A line, or with box the outline of the rectangle; the pen ends at (x2, y2).
    void line(double x1, double y1, double x2, double y2,
              std::optional<QColor> colour = std::nullopt, bool box = false);
    /// A dot as wide as the draw width.
    void pset(double x, double y, std::optional<QColor> colour = std::nullopt);
    /// A circle, round on screen; filled with the fill colour when fill is solid.
    void circle(double x, double y, double radius, std::optional<QColor> colour = std::nullopt);
    /// Text with its upper-left corner at the pen, in foreColor(). Without a
    /// line end the pen moves to the text's right end; with one, to
    /// scaleLeft() one text line lower.
    void print(const QString &text, bool lineEnd = false);

    /// Extent of a text in user units; textHeight has the sign of the y axis.
    double textWidth(const QString &text) const;
    double textHeight(const QString &text) const;

    /// Shows pending drawing at once.
    void refresh();
    /// The current picture (drawing and overlay) at the widget's size.
    QImage picture();
    /// Paints the drawing, without overlay elements, as it would look on a
    /// surface of `size`: positions, text and pens in proportion. A painter on
    /// a vector device keeps lines and text as paths and text.
    void paintPicture(QPainter &painter, const QSize &size) const;

    /// Number of primitives drawn since the last cls() (for tests and benchmarks).
    int primitiveCount() const;

    /// Keeps a child widget at a rectangle given in user units (left, top, width, height).
    void placeWidget(QWidget *child, double left, double top, double width, double height);
    /// Keeps a label at a rectangle given in user units, where a text too wide
    /// for it widens it to the left as far as `leftmost` before its font shrinks.
    void placeFittingLabel(FittingLabel *label, double left, double top, double width, double height,
                           double leftmost);

    // Overlay elements register themselves; they are painted in creation order.
    void addOverlay(OverlayElement *element);
    void removeOverlay(OverlayElement *element);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    friend class OverlayElement;
    struct Primitive;
    struct Placement {
        QPointer<QWidget> child;
        QRectF rect; // left, top, width, height in user units
        double pointSize; // the child's font size at the reference height
        double leftmost; // the left edge a fitting label may widen to, in user units
    };

    static QFont fittedFont(const QWidget *child, QFont font, double naturalPoints);
    void append(Primitive primitive);
    void render(const Primitive &primitive, QPainter &painter) const;
    void render(const Primitive &primitive, QPainter &painter, const QSizeF &area, double penScale) const;
    QRect pixelBounds(const Primitive &primitive) const;
    void rebuildCache();
    void ensureCache();
    QSize cacheSize() const;
    void paintOverlays(QPainter &painter, const QRect &area) const;
    void updateOverlayArea(const QRectF &userRect, double marginPixels);
    void place(QWidget *child, const QRectF &rect, double leftmost);
    void applyPlacement(const Placement &placement);
    double naturalPixels(double points, double widgetHeight) const;
    double fontPixels(double points, double widgetHeight) const;
    double raised(double naturalPixels) const;
    QRectF placedText(const Primitive &primitive, bool lettersOnly) const;
    double layoutPixels(double points, double widgetHeight) const;
    static QFont fontAtPixels(int pixels);
    static const QFontMetricsF &measuringMetrics();
    static double measuredAdvance(const QString &text);
    QSizeF layoutSize() const;
    QPointF toFraction(QPointF user) const;
    QPointF fromFraction(QPointF fraction) const;
    double pixelsPerUserX() const;
    double pixelsPerUserY() const;

    double m_left = 0, m_top = 0, m_width = 1, m_height = 1;
    int m_referenceHeight = 0;
    QColor m_foreColor = Qt::black;
    QColor m_backColor = Qt::white;
    QColor m_fillColor = Qt::black;
    bool m_fillSolid = false;
    int m_drawWidth = 1;
    Qt::PenStyle m_drawStyle = Qt::SolidLine;
    double m_fontSize = 8.0;
    double m_minimumTextPixels = 0.0;
    bool m_minimumForLayout = true;
    double m_currentX = 0, m_currentY = 0;
    std::vector<Primitive> m_primitives;
    QImage m_cache;
    bool m_cacheValid = false;
    QRegion m_dirty; // updated but not yet painted, for refresh()
    std::vector<OverlayElement *> m_overlays;
    std::vector<Placement> m_placements;
};

} // namespace kelvara
