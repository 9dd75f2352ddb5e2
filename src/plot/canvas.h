#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QString>

#include "plot/scalemap.h"

namespace tessaly::plot {

// The graph picture as a drawing surface in world coordinates: a pen position,
// points, lines, boxes, filled circles and text in a selected font, each in one
// colour, without antialiasing (every pixel has one of the drawing's colours).
// Coordinates are mapped and clipped in double before they are rounded to the
// nearest pixel, so no value is ever converted to a whole number out of range.
class Canvas {
public:
    Canvas(QImage& image, const ScaleMap& map);
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    const ScaleMap& map() const { return m_map; }

    void setForeColor(const QColor& c) { m_fore = c; }
    const QColor& foreColor() const { return m_fore; }

    double penX() const { return m_penX; }
    double penY() const { return m_penY; }
    void moveTo(double x, double y);

    // A point; the pen moves there.
    void point(double x, double y, const QColor& c);
    // A line from the pen; the pen ends at (x, y).
    void lineTo(double x, double y, const QColor& c);
    // A line between two points; the pen ends at the second.
    void line(double x1, double y1, double x2, double y2, const QColor& c);
    // The outline of a box with these corners.
    void box(double x1, double y1, double x2, double y2, const QColor& c);
    // A circle round in pixels, its radius measured along x, outlined and filled.
    void circle(double cx, double cy, double radiusX, const QColor& outline, const QColor& fill);

    // The font of the following text, horizontal or turned to read downward.
    void setFont(const QFont& font, bool readsDownward);
    // Writes text in the foreground colour with the pen at its top-left corner
    // (for downward text, the corner it runs down from, its glyphs to the left).
    void print(const QString& text);

private:
    bool pixel(double x, double y, QPoint& out) const;
    void drawSegment(double x1, double y1, double x2, double y2, const QColor& c);

    QImage& m_image;
    ScaleMap m_map;
    QPainter m_painter;
    QColor m_fore = Qt::black;
    QFont m_font;
    bool m_downward = false;
    double m_penX = 0;
    double m_penY = 0;
};

}  // namespace tessaly::plot
