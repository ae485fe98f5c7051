// SPDX-License-Identifier: GPL-3.0-or-later
#include "surface/drawingsurface.h"

#include "common/zoom.h"
#include "surface/fittinglabel.h"
#include "surface/overlay.h"

#include <QFontMetricsF>
#include <QLabel>
#include <QHash>
#include <QGuiApplication>
#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>

#include <algorithm>
#include <cmath>

namespace kelvara {

namespace {

// Font engines only render whole pixel sizes, so text is drawn at the nearest
// one and scaled by what is left over, and measured at a large size where that
// rounding is negligible. Text then grows exactly in proportion with the
// picture, and what print() measures is what it draws.
constexpr int measuringPixels = 120;

struct TextGeometry {
    QFont font;
    double scale; // from the font's whole pixel size to the wanted one
};

TextGeometry textGeometry(double pixels, QFont (*fontAt)(int))
{
    const int whole = std::max(1, qRound(pixels));
    return {fontAt(whole), std::max(pixels, 0.01) / whole};
}

// Room for antialiasing and pen rounding around a primitive's exact extent.
constexpr double slack = 2.0;

} // namespace

// Positions are kept as fractions of the picture rather than in the user units
// of the moment, so a later setScale leaves what is already drawn where it is,
// as it would on paper, while a resize still redraws everything in proportion.
struct DrawingSurface::Primitive {
    enum class Kind { Line, Box, Dot, Circle, Text };
    Kind kind = Kind::Line;
    QPointF a;
    QPointF b;
    double radius = 0; // circles: a fraction of the picture's width
    QColor colour;
    QColor fill;       // invalid when the circle is not filled
    int width = 1;     // pixels
    Qt::PenStyle style = Qt::SolidLine; // lines
    double fontSize = 0;
    QString text;
};

DrawingSurface::DrawingSurface(QWidget *parent)
    : QWidget(parent)
{
    // Every pixel comes from the cache, so Qt need not erase first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

DrawingSurface::~DrawingSurface()
{
    // The overlays are our QObject children and are deleted by ~QWidget, when
    // this part of the object is already gone; their QPointer is only cleared
    // later still, in ~QObject. Tell them now so they don't call back.
    for (OverlayElement *element : m_overlays)
        element->m_surface = nullptr;
    m_overlays.clear();
}

void DrawingSurface::setScale(double x1, double y1, double x2, double y2)
{
    // A scale without extent would divide by zero everywhere; keep the old one.
    if (x1 == x2 || y1 == y2)
        return;
    m_left = x1;
    m_top = y1;
    m_width = x2 - x1;
    m_height = y2 - y1;
    for (const Placement &placement : m_placements)
        applyPlacement(placement);
}

void DrawingSurface::setReferenceHeight(int pixels)
{
    if (pixels == m_referenceHeight)
        return;
    m_referenceHeight = std::max(0, pixels);
    // Text already drawn changes size.
    m_cacheValid = false;
    update();
}

double DrawingSurface::pixelsPerUserX() const
{
    return width() / m_width;
}

double DrawingSurface::pixelsPerUserY() const
{
    return height() / m_height;
}

QPointF DrawingSurface::toPixels(QPointF user) const
{
    return {(user.x() - m_left) * pixelsPerUserX(), (user.y() - m_top) * pixelsPerUserY()};
}

QRectF DrawingSurface::toPixels(const QRectF &userRect) const
{
    return QRectF(toPixels(userRect.topLeft()), toPixels(userRect.bottomRight())).normalized();
}

QPointF DrawingSurface::toUser(QPointF pixel) const
{
    const double x = width() > 0 ? m_left + pixel.x() / pixelsPerUserX() : m_left;
    const double y = height() > 0 ? m_top + pixel.y() / pixelsPerUserY() : m_top;
    return {x, y};
}

QPointF DrawingSurface::toFraction(QPointF user) const
{
    return {(user.x() - m_left) / m_width, (user.y() - m_top) / m_height};
}

QPointF DrawingSurface::fromFraction(QPointF fraction) const
{
    return {fraction.x() * width(), fraction.y() * height()};
}

void DrawingSurface::setBackColor(const QColor &colour)
{
    m_backColor = colour;
    cls();
}

void DrawingSurface::cls()
{
    m_primitives.clear();
    m_currentX = m_left;
    m_currentY = m_top;
    if (m_cacheValid && m_cache.size() == cacheSize())
        m_cache.fill(m_backColor);
    else
        m_cacheValid = false;
    update();
    m_dirty = rect();
}

void DrawingSurface::line(double x1, double y1, double x2, double y2,
                          std::optional<QColor> colour, bool box)
{
    Primitive primitive;
    primitive.kind = box ? Primitive::Kind::Box : Primitive::Kind::Line;
    primitive.a = toFraction({x1, y1});
    primitive.b = toFraction({x2, y2});
    primitive.colour = colour.value_or(m_foreColor);
    primitive.width = std::max(1, m_drawWidth);
    primitive.style = m_drawStyle;
    append(std::move(primitive));
    m_currentX = x2;
    m_currentY = y2;
}

void DrawingSurface::pset(double x, double y, std::optional<QColor> colour)
{
    Primitive primitive;
    primitive.kind = Primitive::Kind::Dot;
    primitive.a = toFraction({x, y});
    primitive.colour = colour.value_or(m_foreColor);
    primitive.width = std::max(1, m_drawWidth);
    append(std::move(primitive));
    m_currentX = x;
    m_currentY = y;
}

void DrawingSurface::circle(double x, double y, double radius, std::optional<QColor> colour)
{
    Primitive primitive;
    primitive.kind = Primitive::Kind::Circle;
    primitive.a = toFraction({x, y});
    primitive.radius = std::abs(radius / m_width);
    primitive.colour = colour.value_or(m_foreColor);
    if (m_fillSolid)
        primitive.fill = m_fillColor;
    primitive.width = std::max(1, m_drawWidth);
    append(std::move(primitive));
    m_currentX = x;
    m_currentY = y;
}

void DrawingSurface::print(const QString &text, bool lineEnd)
{
    if (!text.isEmpty()) {
        Primitive primitive;
        primitive.kind = Primitive::Kind::Text;
        primitive.a = toFraction({m_currentX, m_currentY});
        primitive.colour = m_foreColor;
        primitive.fontSize = m_fontSize;
        primitive.text = text;
        append(std::move(primitive));
    }
    if (lineEnd) {
        m_currentY += textHeight(text);
        m_currentX = m_left;
    } else {
        m_currentX += textWidth(text);
    }
}

QSizeF DrawingSurface::layoutSize() const
{
    if (width() > 0 && height() > 0)
        return size();
    // Not laid out yet: measure as if at the reference height with the
    // preferred shape, which is what the text will look like once shown.
    const QSize hint = sizeHint();
    const double h = m_referenceHeight > 0 ? m_referenceHeight : hint.height();
    return {h * hint.width() / hint.height(), h};
}

double DrawingSurface::naturalPixels(double points, double widgetHeight) const
{
    const double scale = m_referenceHeight > 0 && widgetHeight > 0
            ? widgetHeight / m_referenceHeight : 1.0;
    return points * (96.0 / 72.0) * scale;
}

double DrawingSurface::fontPixels(double points, double widgetHeight) const
{
    return raised(naturalPixels(points, widgetHeight));
}

// A picture drawn once has no room for text much larger than its own scaling
// measured it for: there text grows by at most a quarter towards the minimum.
double DrawingSurface::raised(double naturalPixels) const
{
    constexpr double roomInAPictureDrawnOnce = 1.25;
    const double minimum = m_minimumForLayout ? m_minimumTextPixels
                                              : std::min(m_minimumTextPixels, naturalPixels * roomInAPictureDrawnOnce);
    return std::max(naturalPixels, minimum);
}

double DrawingSurface::layoutPixels(double points, double widgetHeight) const
{
    return m_minimumForLayout ? fontPixels(points, widgetHeight) : naturalPixels(points, widgetHeight);
}

double DrawingSurface::smallestTextPixels() const
{
    double smallest = 0;
    for (const Primitive &primitive : m_primitives) {
        if (primitive.kind != Primitive::Kind::Text)
            continue;
        const double pixels = fontPixels(primitive.fontSize, height());
        smallest = smallest == 0 ? pixels : std::min(smallest, pixels);
    }
    return smallest;
}

QList<QRect> DrawingSurface::textAreas() const
{
    QList<QRect> areas;
    for (const Primitive &primitive : m_primitives)
        if (primitive.kind == Primitive::Kind::Text)
            areas << placedText(primitive, true).toAlignedRect();
    return areas;
}

void DrawingSurface::setMinimumTextPixels(double pixels, bool forLayout)
{
    m_minimumForLayout = forLayout;
    if (pixels == m_minimumTextPixels)
        return;
    m_minimumTextPixels = pixels;
    for (const Placement &placement : m_placements)
        applyPlacement(placement);
    m_cacheValid = false;
    update();
}

QFont DrawingSurface::fontAtPixels(int pixels)
{
    QFont font = QGuiApplication::font();
    font.setPixelSize(std::max(1, pixels));
    return font;
}

// Text is measured at one fixed size; building its metrics for every call
// would cost more than the measuring itself.
const QFontMetricsF &DrawingSurface::measuringMetrics()
{
    static const QFontMetricsF metrics(fontAtPixels(measuringPixels));
    return metrics;
}

// Charts measure the same few labels after every subgroup; shaping them
// again each time would dominate a long Run.
double DrawingSurface::measuredAdvance(const QString &text)
{
    static QHash<QString, double> advances;
    const auto known = advances.constFind(text);
    if (known != advances.constEnd())
        return *known;
    // Chart labels are few; numbers typed into the scale dialog are not, so
    // the cache starts over rather than grow without end.
    constexpr qsizetype remembered = 4096;
    if (advances.size() >= remembered)
        advances.clear();
    return *advances.insert(text, measuringMetrics().horizontalAdvance(text));
}

double DrawingSurface::textWidth(const QString &text) const
{
    const QSizeF area = layoutSize();
    const double pixels = measuredAdvance(text)
            * layoutPixels(m_fontSize, area.height()) / measuringPixels;
    return pixels * m_width / area.width();
}

double DrawingSurface::textHeight(const QString &text) const
{
    Q_UNUSED(text) // one line of the font, whatever its characters
    const QSizeF area = layoutSize();
    const QFontMetricsF &metrics = measuringMetrics();
    const double pixels = metrics.height() * layoutPixels(m_fontSize, area.height()) / measuringPixels;
    return pixels * m_height / area.height();
}

int DrawingSurface::primitiveCount() const
{
    return static_cast<int>(m_primitives.size());
}

QSize DrawingSurface::cacheSize() const
{
    return size().expandedTo(QSize(1, 1));
}

void DrawingSurface::append(Primitive primitive)
{
    m_primitives.push_back(std::move(primitive));
    // A hidden surface only records; it rasterises everything once it is shown.
    if (!isVisible() || !m_cacheValid || m_cache.size() != cacheSize()) {
        m_cacheValid = false;
        if (isVisible()) {
            update();
            m_dirty = rect();
        }
        return;
    }
    const Primitive &added = m_primitives.back();
    QPainter painter(&m_cache);
    render(added, painter);
    painter.end();
    const QRect area = pixelBounds(added) & rect();
    if (!area.isEmpty()) {
        update(area);
        m_dirty += area;
    }
}

QRect DrawingSurface::pixelBounds(const Primitive &primitive) const
{
    const QPointF a = fromFraction(primitive.a);
    const double pen = primitive.width / 2.0 + slack;
    QRectF area;
    switch (primitive.kind) {
    case Primitive::Kind::Line:
    case Primitive::Kind::Box:
        area = QRectF(a, fromFraction(primitive.b)).normalized().adjusted(-pen, -pen, pen, pen);
        break;
    case Primitive::Kind::Dot:
        area = QRectF(a.x() - pen, a.y() - pen, 2 * pen, 2 * pen);
        break;
    case Primitive::Kind::Circle: {
        const double r = primitive.radius * width() + pen;
        area = QRectF(a.x() - r, a.y() - r, 2 * r, 2 * r);
        break;
    }
    case Primitive::Kind::Text:
        area = placedText(primitive, false).adjusted(-slack, -slack, slack, slack);
        break;
    }
    return area.toAlignedRect();
}

// Where a text lies in pixels: its whole line, or only the ink of its letters.
QRectF DrawingSurface::placedText(const Primitive &primitive, bool lettersOnly) const
{
    const TextGeometry text = textGeometry(fontPixels(primitive.fontSize, height()), fontAtPixels);
    const QFontMetricsF metrics(text.font);
    const QRectF unscaled = lettersOnly
            ? metrics.tightBoundingRect(primitive.text).translated(0, metrics.ascent())
            : metrics.boundingRect(primitive.text).translated(0, metrics.ascent())
                      .united(QRectF(0, 0, metrics.horizontalAdvance(primitive.text), metrics.height()));
    return {fromFraction(primitive.a) + unscaled.topLeft() * text.scale, unscaled.size() * text.scale};
}

void DrawingSurface::render(const Primitive &primitive, QPainter &painter) const
{
    render(primitive, painter, size(), 1.0);
}

// At `area`, with every pen `penScale` times as wide: the primitive as it
// would be drawn on a surface of that size.
void DrawingSurface::render(const Primitive &primitive, QPainter &painter, const QSizeF &area, double penScale) const
{
    const auto place = [&area](QPointF fraction) { return QPointF(fraction.x() * area.width(), fraction.y() * area.height()); };
    const double penWidth = primitive.width * penScale;
    const QPointF a = place(primitive.a);
    switch (primitive.kind) {
    case Primitive::Kind::Line: {
        const QPointF b = place(primitive.b);
        // Level and upright lines stay crisp; only slanted ones are smoothed.
        const bool slanted = a.x() != b.x() && a.y() != b.y();
        painter.setRenderHint(QPainter::Antialiasing, slanted);
        // Round caps would close the gaps of a dotted line.
        const Qt::PenCapStyle cap = primitive.style == Qt::SolidLine ? Qt::RoundCap : Qt::FlatCap;
        QPen pen(primitive.colour, penWidth, primitive.style, cap, Qt::RoundJoin);
        pen.setCosmetic(true);
        painter.setPen(pen);
        painter.drawLine(a, b);
        break;
    }
    case Primitive::Kind::Box: {
        painter.setRenderHint(QPainter::Antialiasing, false);
        QPen pen(primitive.colour, penWidth, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
        pen.setCosmetic(true);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRectF(a, place(primitive.b)).normalized());
        break;
    }
    case Primitive::Kind::Dot:
        if (penWidth <= 1) {
            painter.fillRect(QRect(int(std::floor(a.x())), int(std::floor(a.y())), 1, 1), primitive.colour);
        } else {
            const double r = penWidth / 2.0;
            painter.setRenderHint(QPainter::Antialiasing, true);
            painter.setPen(Qt::NoPen);
            painter.setBrush(primitive.colour);
            painter.drawEllipse(a, r, r);
        }
        break;
    case Primitive::Kind::Circle: {
        const double r = primitive.radius * area.width();
        painter.setRenderHint(QPainter::Antialiasing, true);
        painter.setPen(QPen(primitive.colour, penWidth));
        painter.setBrush(primitive.fill.isValid() ? QBrush(primitive.fill) : QBrush(Qt::NoBrush));
        painter.drawEllipse(a, r, r);
        break;
    }
    case Primitive::Kind::Text: {
        const TextGeometry text = textGeometry(fontPixels(primitive.fontSize, area.height()), fontAtPixels);
        painter.save();
        painter.setRenderHint(QPainter::TextAntialiasing, true);
        painter.translate(a);
        painter.scale(text.scale, text.scale);
        painter.setFont(text.font);
        painter.setPen(primitive.colour);
        painter.drawText(QPointF(0, QFontMetricsF(text.font).ascent()), primitive.text);
        painter.restore();
        break;
    }
    }
}

void DrawingSurface::rebuildCache()
{
    m_cache = QImage(cacheSize(), QImage::Format_RGB32);
    m_cache.fill(m_backColor);
    QPainter painter(&m_cache);
    for (const Primitive &primitive : m_primitives)
        render(primitive, painter);
    m_cacheValid = true;
}

void DrawingSurface::ensureCache()
{
    if (!m_cacheValid || m_cache.size() != cacheSize())
        rebuildCache();
}

void DrawingSurface::refresh()
{
    if (!isVisible()) {
        m_dirty = QRegion();
        return;
    }
    if (!m_dirty.isEmpty())
        repaint(m_dirty);
    m_dirty = QRegion();
}

void DrawingSurface::paintPicture(QPainter &painter, const QSize &size) const
{
    painter.fillRect(QRect(QPoint(0, 0), size), m_backColor);
    const double penScale = double(size.height()) / std::max(height(), 1);
    for (const Primitive &primitive : m_primitives)
        render(primitive, painter, size, penScale);
}

QImage DrawingSurface::picture()
{
    ensureCache();
    QImage image = m_cache; // shared until the overlays are painted on it
    if (std::any_of(m_overlays.begin(), m_overlays.end(),
                    [](const OverlayElement *element) { return element->isVisible(); })) {
        QPainter painter(&image);
        paintOverlays(painter, image.rect());
    }
    return image;
}

void DrawingSurface::placeWidget(QWidget *child, double left, double top, double width, double height)
{
    place(child, QRectF(left, top, width, height), left);
}

void DrawingSurface::placeFittingLabel(FittingLabel *label, double left, double top, double width,
                                       double height, double leftmost)
{
    place(label, QRectF(left, top, width, height), leftmost);
}

void DrawingSurface::place(QWidget *child, const QRectF &rect, double leftmost)
{
    if (!child)
        return;
    if (child->parentWidget() != this)
        child->setParent(this);
    std::erase_if(m_placements, [](const Placement &p) { return p.child.isNull(); });
    auto it = std::find_if(m_placements.begin(), m_placements.end(),
                           [child](const Placement &p) { return p.child == child; });
    if (it == m_placements.end()) {
        // A label made while the text is zoomed has the zoomed size; its place
        // keeps the size at no zoom, and the minimum text size does the rest.
        const double designPoints = child->font().pointSizeF() / zoom::factor();
        it = m_placements.insert(m_placements.end(), Placement{child, rect, designPoints, leftmost});
        child->setProperty("kelvaraOwnTextSize", true); // sized here, not by the zoom of widget text
    }
    else
        *it = Placement{child, rect, it->pointSize, leftmost};
    applyPlacement(*it);
}

void DrawingSurface::applyPlacement(const Placement &placement)
{
    if (!placement.child)
        return;
    // Width and height are sizes: the widget extends right and down on screen
    // whichever way the axes run.
    const QPointF corner = toPixels(placement.rect.topLeft());
    const double right = corner.x() + placement.rect.width() * std::abs(pixelsPerUserX());
    const double bottom = corner.y() + placement.rect.height() * std::abs(pixelsPerUserY());
    const int x = qRound(corner.x());
    const int y = qRound(corner.y());
    const QRect geometry(x, y, qRound(right) - x, qRound(bottom) - y);
    // Placed labels grow and shrink with the picture, as its own texts do,
    // and keep to the smallest text size as far as their place allows.
    const bool scaled = m_referenceHeight > 0 && height() > 0;
    const double natural = placement.pointSize * (scaled ? height() / double(m_referenceHeight) : 1.0);
    QFont font = placement.child->font();
    if (placement.pointSize > 0)
        font.setPointSizeF(raised(natural * (96.0 / 72.0)) * (72.0 / 96.0));
    if (auto *label = qobject_cast<FittingLabel *>(placement.child.data())) {
        label->setDesign(geometry, font, qRound(toPixels(QPointF(placement.leftmost, m_top)).x()));
        return;
    }
    placement.child->setGeometry(geometry);
    if (scaled && placement.pointSize > 0)
        placement.child->setFont(fittedFont(placement.child, font, natural));
}

// A caption larger than the picture's own scaling makes it shrinks back, as
// far as that size, until its text fits its place.
QFont DrawingSurface::fittedFont(const QWidget *child, QFont font, double naturalPoints)
{
    const auto *label = qobject_cast<const QLabel *>(child);
    const QRect place = child->contentsRect();
    const auto fits = [&] {
        const QRect needed = QFontMetrics(font).boundingRect(place, int(label->alignment()) | Qt::TextWordWrap, label->text());
        return needed.width() <= place.width() && needed.height() <= place.height();
    };
    while (label && font.pointSizeF() > naturalPoints && !fits())
        font.setPointSizeF(std::max(naturalPoints, font.pointSizeF() - 0.5));
    return font;
}

void DrawingSurface::addOverlay(OverlayElement *element)
{
    if (element && std::find(m_overlays.begin(), m_overlays.end(), element) == m_overlays.end())
        m_overlays.push_back(element);
}

void DrawingSurface::removeOverlay(OverlayElement *element)
{
    std::erase(m_overlays, element);
}

void DrawingSurface::updateOverlayArea(const QRectF &userRect, double marginPixels)
{
    if (!isVisible())
        return;
    const double m = marginPixels;
    const QRect area = toPixels(userRect).adjusted(-m, -m, m, m).toAlignedRect() & rect();
    if (area.isEmpty())
        return;
    update(area);
    m_dirty += area;
}

void DrawingSurface::paintOverlays(QPainter &painter, const QRect &area) const
{
    for (const OverlayElement *element : m_overlays) {
        if (!element->isVisible())
            continue;
        const double m = element->pixelMargin();
        if (!toPixels(element->userBounds()).adjusted(-m, -m, m, m).intersects(area))
            continue;
        painter.save();
        element->paint(painter);
        painter.restore();
    }
}

QSize DrawingSurface::sizeHint() const
{
    return {600, 600};
}

QSize DrawingSurface::minimumSizeHint() const
{
    return {200, 200};
}

void DrawingSurface::paintEvent(QPaintEvent *event)
{
    ensureCache();
    QPainter painter(this);
    for (const QRect &area : event->region())
        painter.drawImage(area, m_cache, area);
    paintOverlays(painter, event->rect());
    m_dirty -= event->region();
}

void DrawingSurface::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (isVisible())
        rebuildCache();
    else
        m_cacheValid = false;
    // Qt repaints the whole widget after a resize.
    m_dirty = QRegion();
    for (const Placement &placement : m_placements)
        applyPlacement(placement);
}

} // namespace kelvara
