#pragma once

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QPointF>
#include <QString>

#include "plot/scalemap.h"

namespace tessaly::plot {

// The graph picture as a drawing surface in world coordinates: a pen position,
// points, lines, boxes, filled circles and text in a selected font, each in one
// colour, through a painter whose coordinates are the picture's pixels.
//
// Exact: every coordinate is rounded to the nearest pixel and nothing is
// antialiased (every pixel has one of the drawing's colours). Smooth: lines are
// one pixel wide and antialiased, centred on the pixel a coordinate falls in, as
// the exact drawing lights it; on a bitmap of a higher density, lines along an
// axis are put on whole device pixels so they stay sharp. Coordinates are
// mapped and clipped in double, so no value is ever converted to a whole number
// out of range.
class Canvas {
public:
    Canvas(QPainter& painter, const ScaleMap& map, bool exact);
    ~Canvas();
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

    // A run of lines in one colour (the curve): while it is open, lineTo in that
    // colour and moveTo add to it; a smooth drawing strokes it as one path when
    // it ends, an exact one draws each line at once.
    void beginRun(const QColor& c);
    void endRun();

    // The font of the following text, horizontal or turned to read downward.
    void setFont(const QFont& font, bool readsDownward);
    // Writes text in the foreground colour with the pen at its top-left corner
    // (for downward text, the corner it runs down from, its glyphs to the left).
    void print(const QString& text);

private:
    void flushRun();  // strokes the run so far
    // Where a coordinate is drawn: its pixel (exact) or that pixel's centre (smooth).
    QPointF at(double px, double py) const;
    // A pixel coordinate of a smooth line along an axis, on a whole device pixel.
    double onDevicePixel(double v) const;
    bool inRange(double x, double y) const;
    void drawSegment(double x1, double y1, double x2, double y2, const QColor& c);
    void setPen(const QColor& c);

    QPainter& m_painter;
    ScaleMap m_map;
    bool m_exact;
    double m_deviceRatio = 0;  // device pixels per pixel of a smooth bitmap; 0 for vectors
    QColor m_fore = Qt::black;
    QFont m_font;
    bool m_downward = false;
    double m_penX = 0;
    double m_penY = 0;
    bool m_inRun = false;
    QColor m_runColour;
    QPainterPath m_run;
};

}  // namespace tessaly::plot
