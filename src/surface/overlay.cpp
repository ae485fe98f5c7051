// SPDX-License-Identifier: GPL-3.0-or-later
#include "surface/overlay.h"

#include "surface/drawingsurface.h"

#include <QPainter>

#include <algorithm>

namespace kelvara {

namespace {

// A box given by its upper-left corner and positive sizes extends right and
// down on screen, whichever way the surface's axes run.
QRectF boxBounds(const DrawingSurface *surface, double left, double top, double width, double height)
{
    const double sx = !surface || surface->scaleWidth() >= 0 ? 1.0 : -1.0;
    const double sy = !surface || surface->scaleHeight() >= 0 ? 1.0 : -1.0;
    return QRectF(QPointF(left, top), QPointF(left + sx * width, top + sy * height)).normalized();
}

} // namespace

// ---- OverlayElement ----

OverlayElement::OverlayElement(DrawingSurface *surface, const QString &name)
    : QObject(surface)
    , m_surface(surface)
{
    setObjectName(name);
    if (surface)
        surface->addOverlay(this);
}

OverlayElement::~OverlayElement()
{
    if (DrawingSurface *surface = m_surface.data()) {
        surface->removeOverlay(this);
        if (m_shown)
            surface->updateOverlayArea(*m_shown, m_shownMargin);
    }
}

void OverlayElement::setVisible(bool visible)
{
    if (visible == m_visible)
        return;
    changing();
    m_visible = visible;
    changed();
}

void OverlayElement::changing()
{
    m_before.reset();
    if (m_visible)
        m_before = userBounds();
    m_beforeMargin = pixelMargin();
}

void OverlayElement::changed()
{
    std::optional<QRectF> now;
    if (m_visible)
        now = userBounds();
    const double margin = pixelMargin();
    if (DrawingSurface *surface = m_surface.data()) {
        // Two separate areas, not their union: a ball that jumps across the
        // board must not repaint everything in between.
        if (m_before)
            surface->updateOverlayArea(*m_before, m_beforeMargin);
        if (now)
            surface->updateOverlayArea(*now, margin);
    }
    m_before.reset();
    m_shown = now;
    m_shownMargin = margin;
}

// ---- OverlayLine ----

OverlayLine::OverlayLine(DrawingSurface *surface, const QString &name)
    : OverlayElement(surface, name)
{
    changed();
}

void OverlayLine::setLine(double x1, double y1, double x2, double y2)
{
    if (x1 == m_x1 && y1 == m_y1 && x2 == m_x2 && y2 == m_y2)
        return;
    changing();
    m_x1 = x1;
    m_y1 = y1;
    m_x2 = x2;
    m_y2 = y2;
    changed();
}

void OverlayLine::setColour(const QColor &colour)
{
    if (colour == m_colour)
        return;
    changing();
    m_colour = colour;
    changed();
}

void OverlayLine::setStyle(Qt::PenStyle style)
{
    if (style == m_style)
        return;
    changing();
    m_style = style;
    changed();
}

void OverlayLine::setWidth(int pixels)
{
    pixels = std::max(1, pixels);
    if (pixels == m_width)
        return;
    changing();
    m_width = pixels;
    changed();
}

OverlayLine *OverlayLine::clone() const
{
    auto *copy = new OverlayLine(surface(), objectName());
    // Visibility first, so a hidden copy repaints nothing while it is set up.
    copy->setVisible(isVisible());
    copy->setColour(m_colour);
    copy->setStyle(m_style);
    copy->setWidth(m_width);
    copy->setLine(m_x1, m_y1, m_x2, m_y2);
    return copy;
}

QRectF OverlayLine::userBounds() const
{
    return QRectF(QPointF(m_x1, m_y1), QPointF(m_x2, m_y2)).normalized();
}

double OverlayLine::pixelMargin() const
{
    return m_width / 2.0 + 2.0;
}

void OverlayLine::paint(QPainter &painter) const
{
    const DrawingSurface *s = surface();
    if (!s)
        return;
    const QPointF a = s->toPixels(QPointF(m_x1, m_y1));
    const QPointF b = s->toPixels(QPointF(m_x2, m_y2));
    painter.setRenderHint(QPainter::Antialiasing, a.x() != b.x() && a.y() != b.y());
    QPen pen(m_colour, m_width, m_style);
    pen.setCosmetic(true);
    painter.setPen(pen);
    painter.drawLine(a, b);
}

// ---- OverlayShape ----

OverlayShape::OverlayShape(DrawingSurface *surface, const QString &name)
    : OverlayElement(surface, name)
{
    changed();
}

void OverlayShape::move(double left, double top)
{
    if (left == m_left && top == m_top)
        return;
    changing();
    m_left = left;
    m_top = top;
    changed();
}

void OverlayShape::setSize(double width, double height)
{
    if (width == m_width && height == m_height)
        return;
    changing();
    m_width = width;
    m_height = height;
    changed();
}

void OverlayShape::setColours(const QColor &fill, const QColor &outline)
{
    if (fill == m_fill && outline == m_outline)
        return;
    changing();
    m_fill = fill;
    m_outline = outline;
    changed();
}

OverlayShape *OverlayShape::clone() const
{
    auto *copy = new OverlayShape(surface(), objectName());
    copy->setVisible(isVisible());
    copy->setColours(m_fill, m_outline);
    copy->setSize(m_width, m_height);
    copy->move(m_left, m_top);
    return copy;
}

QRectF OverlayShape::userBounds() const
{
    return boxBounds(surface(), m_left, m_top, m_width, m_height);
}

void OverlayShape::paint(QPainter &painter) const
{
    const DrawingSurface *s = surface();
    if (!s)
        return;
    const QRectF box = s->toPixels(userBounds());
    // Inscribed: the largest circle centred in the box. The half pixel keeps
    // the outline inside the box.
    const double diameter = std::min(box.width(), box.height()) - 1.0;
    if (diameter <= 0)
        return;
    QRectF circle(0, 0, diameter, diameter);
    circle.moveCenter(box.center());
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(QPen(m_outline, 1));
    painter.setBrush(m_fill);
    painter.drawEllipse(circle);
}

// ---- OverlayImage ----

OverlayImage::OverlayImage(DrawingSurface *surface, const QString &name, const QImage &image)
    : OverlayElement(surface, name)
    , m_image(image)
{
    changed();
}

void OverlayImage::setGeometry(double left, double top, double width, double height)
{
    if (left == m_left && top == m_top && width == m_width && height == m_height)
        return;
    changing();
    m_left = left;
    m_top = top;
    m_width = width;
    m_height = height;
    changed();
}

void OverlayImage::setLeft(double left)
{
    setGeometry(left, m_top, m_width, m_height);
}

QRectF OverlayImage::userBounds() const
{
    return boxBounds(surface(), m_left, m_top, m_width, m_height);
}

void OverlayImage::paint(QPainter &painter) const
{
    const DrawingSurface *s = surface();
    if (!s || m_image.isNull())
        return;
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    painter.drawImage(s->toPixels(userBounds()), m_image);
}

} // namespace kelvara
