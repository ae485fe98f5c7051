// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Elements that float above a DrawingSurface's picture, positioned in its user
// units: lines, circle shapes and images. Moving one repaints only the pixels
// it left and the pixels it reached.

#include "surface/drawingsurface.h"

#include <QColor>
#include <QImage>
#include <QObject>
#include <QPointer>
#include <QRectF>

#include <map>
#include <optional>

class QPainter;

namespace kelvara {

class OverlayElement : public QObject {
    Q_OBJECT
public:
    OverlayElement(DrawingSurface *surface, const QString &name);
    ~OverlayElement() override;

    DrawingSurface *surface() const { return m_surface; }
    bool isVisible() const { return m_visible; }
    void setVisible(bool visible);

    /// The user rectangle the element covers (normalised).
    virtual QRectF userBounds() const = 0;
    virtual void paint(QPainter &painter) const = 0;

protected:
    /// Call around every change: changing() notes the old area, changed()
    /// repaints it and the new one.
    void changing();
    void changed();
    /// How far the painting reaches beyond userBounds(), in pixels.
    virtual double pixelMargin() const { return 2.0; }

private:
    friend class DrawingSurface;

    QPointer<DrawingSurface> m_surface;
    bool m_visible = true;
    std::optional<QRectF> m_before; // empty when nothing was shown
    double m_beforeMargin = 0;
    std::optional<QRectF> m_shown;  // what the surface shows of this element now
    double m_shownMargin = 0;
};

class OverlayLine : public OverlayElement {
    Q_OBJECT
public:
    OverlayLine(DrawingSurface *surface, const QString &name);

    double x1() const { return m_x1; }
    double y1() const { return m_y1; }
    double x2() const { return m_x2; }
    double y2() const { return m_y2; }
    void setLine(double x1, double y1, double x2, double y2);
    QColor colour() const { return m_colour; }
    void setColour(const QColor &colour);
    Qt::PenStyle style() const { return m_style; }
    void setStyle(Qt::PenStyle style);
    void setWidth(int pixels);

    /// A new element with this one's colour, style, width and visibility.
    OverlayLine *clone() const;

    QRectF userBounds() const override;
    void paint(QPainter &painter) const override;

protected:
    double pixelMargin() const override;

private:
    double m_x1 = 0, m_y1 = 0, m_x2 = 0, m_y2 = 0;
    QColor m_colour = Qt::black;
    Qt::PenStyle m_style = Qt::SolidLine;
    int m_width = 1;
};

/// A filled circle inscribed in its box; it carries a tag text.
class OverlayShape : public OverlayElement {
    Q_OBJECT
public:
    OverlayShape(DrawingSurface *surface, const QString &name);

    double left() const { return m_left; }
    double top() const { return m_top; }    // upper edge, in user units
    double width() const { return m_width; }
    double height() const { return m_height; }
    void move(double left, double top);
    void setSize(double width, double height);
    void setColours(const QColor &fill, const QColor &outline);
    QString tag() const { return m_tag; }
    void setTag(const QString &tag) { m_tag = tag; }

    OverlayShape *clone() const;

    QRectF userBounds() const override;
    void paint(QPainter &painter) const override;

private:
    double m_left = 0, m_top = 0, m_width = 1, m_height = 1;
    QColor m_fill = Qt::red;
    QColor m_outline = Qt::black;
    QString m_tag;
};

/// A picture stretched over a user rectangle.
class OverlayImage : public OverlayElement {
    Q_OBJECT
public:
    OverlayImage(DrawingSurface *surface, const QString &name, const QImage &image);

    double left() const { return m_left; }
    double top() const { return m_top; }
    double width() const { return m_width; }
    double height() const { return m_height; }
    void setGeometry(double left, double top, double width, double height);
    void setLeft(double left);

    QRectF userBounds() const override;
    void paint(QPainter &painter) const override;

private:
    QImage m_image;
    double m_left = 0, m_top = 0, m_width = 1, m_height = 1;
};

/// Element 0 is the template; elements 1.. are loaded as its copies at run
/// time and share its name.
template <class Element>
class ElementArray {
public:
    explicit ElementArray(Element *templateElement) { m_elements[0] = templateElement; }
    ~ElementArray() { unloadAll(); }
    ElementArray(const ElementArray &) = delete;
    ElementArray &operator=(const ElementArray &) = delete;

    Element *at(int index) const
    {
        const auto it = m_elements.find(index);
        return it == m_elements.end() ? nullptr : it->second.data();
    }
    Element *templateElement() const { return at(0); }
    /// Loads element `index` as a copy of the template (returns it if loaded).
    Element *load(int index)
    {
        if (Element *existing = at(index))
            return existing;
        if (!templateElement())
            return nullptr;
        Element *element = templateElement()->clone();
        m_elements[index] = element;
        return element;
    }
    void unload(int index)
    {
        if (index == 0)
            return;
        const auto it = m_elements.find(index);
        if (it == m_elements.end())
            return;
        delete it->second.data();
        m_elements.erase(it);
    }
    /// Unloads every element but the template.
    void unloadAll()
    {
        for (auto it = m_elements.begin(); it != m_elements.end();) {
            if (it->first == 0) {
                ++it;
                continue;
            }
            delete it->second.data();
            it = m_elements.erase(it);
        }
    }
    /// Loaded elements, the template included.
    int count() const { return static_cast<int>(m_elements.size()); }

private:
    std::map<int, QPointer<Element>> m_elements;
};

} // namespace kelvara
