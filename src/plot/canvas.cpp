#include "plot/canvas.h"

#include <QFontMetrics>

#include <algorithm>
#include <cmath>

namespace tessaly::plot {
namespace {

// Pixel coordinates further out than this are clipped before rounding.
constexpr double kFar = 1 << 20;

// Cuts the segment to the square [-kFar, kFar]²; false when nothing is left.
bool clipFar(double& x1, double& y1, double& x2, double& y2)
{
    double t0 = 0, t1 = 1;
    const double dx = x2 - x1, dy = y2 - y1;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x1 + kFar, kFar - x1, y1 + kFar, kFar - y1};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0)
                return false;
            continue;
        }
        const double r = q[i] / p[i];
        if (p[i] < 0)
            t0 = std::max(t0, r);
        else
            t1 = std::min(t1, r);
        if (t0 > t1)
            return false;
    }
    const double ax = x1, ay = y1;
    x1 = ax + t0 * dx;
    y1 = ay + t0 * dy;
    x2 = ax + t1 * dx;
    y2 = ay + t1 * dy;
    return std::isfinite(x1) && std::isfinite(y1) && std::isfinite(x2) && std::isfinite(y2);
}

QPen cosmeticPen(const QColor& c)
{
    QPen pen(c);
    pen.setWidth(0);  // one pixel whatever the transformation
    pen.setCosmetic(true);
    return pen;
}

}  // namespace

Canvas::Canvas(QImage& image, const ScaleMap& map) : m_image(image), m_map(map), m_painter(&image)
{
    m_painter.setRenderHint(QPainter::Antialiasing, false);
    m_painter.setRenderHint(QPainter::TextAntialiasing, false);
    m_painter.setBrush(Qt::NoBrush);
}

bool Canvas::pixel(double x, double y, QPoint& out) const
{
    const double px = m_map.px(x), py = m_map.py(y);
    if (!(std::fabs(px) < kFar && std::fabs(py) < kFar))
        return false;
    out = QPoint(static_cast<int>(ScaleMap::nearest(px)), static_cast<int>(ScaleMap::nearest(py)));
    return true;
}

void Canvas::moveTo(double x, double y)
{
    m_penX = x;
    m_penY = y;
}

void Canvas::point(double x, double y, const QColor& c)
{
    moveTo(x, y);
    QPoint p;
    if (pixel(x, y, p) && m_image.rect().contains(p))
        m_image.setPixelColor(p, c);
}

void Canvas::drawSegment(double x1, double y1, double x2, double y2, const QColor& c)
{
    double a = m_map.px(x1), b = m_map.py(y1), d = m_map.px(x2), e = m_map.py(y2);
    if (!(std::isfinite(a) && std::isfinite(b) && std::isfinite(d) && std::isfinite(e)))
        return;
    if (!(std::fabs(a) < kFar && std::fabs(b) < kFar && std::fabs(d) < kFar && std::fabs(e) < kFar)) {
        if (!clipFar(a, b, d, e))
            return;
    }
    m_painter.setPen(cosmeticPen(c));
    m_painter.drawLine(QPoint(static_cast<int>(ScaleMap::nearest(a)), static_cast<int>(ScaleMap::nearest(b))),
                       QPoint(static_cast<int>(ScaleMap::nearest(d)), static_cast<int>(ScaleMap::nearest(e))));
}

void Canvas::lineTo(double x, double y, const QColor& c)
{
    drawSegment(m_penX, m_penY, x, y, c);
    moveTo(x, y);
}

void Canvas::line(double x1, double y1, double x2, double y2, const QColor& c)
{
    drawSegment(x1, y1, x2, y2, c);
    moveTo(x2, y2);
}

void Canvas::box(double x1, double y1, double x2, double y2, const QColor& c)
{
    drawSegment(x1, y1, x2, y1, c);
    drawSegment(x2, y1, x2, y2, c);
    drawSegment(x2, y2, x1, y2, c);
    drawSegment(x1, y2, x1, y1, c);
    moveTo(x2, y2);
}

void Canvas::circle(double cx, double cy, double radiusX, const QColor& outline, const QColor& fill)
{
    QPoint centre;
    if (!pixel(cx, cy, centre))
        return;
    const double r = std::fabs(radiusX / m_map.width * m_map.pixelsW);
    if (!(r < kFar))
        return;
    m_painter.setPen(cosmeticPen(outline));
    m_painter.setBrush(fill);
    const int ir = static_cast<int>(ScaleMap::nearest(r));
    m_painter.drawEllipse(centre, ir, ir);
    m_painter.setBrush(Qt::NoBrush);
    moveTo(cx, cy);
}

void Canvas::setFont(const QFont& font, bool readsDownward)
{
    m_font = font;
    m_font.setStyleStrategy(QFont::NoAntialias);
    m_downward = readsDownward;
}

void Canvas::print(const QString& text)
{
    QPoint at;
    if (pixel(m_penX, m_penY, at)) {
        m_painter.save();
        m_painter.setFont(m_font);
        m_painter.setPen(cosmeticPen(m_fore));
        m_painter.translate(at);
        if (m_downward)
            m_painter.rotate(90);
        m_painter.drawText(QPoint(0, QFontMetrics(m_font).ascent()), text);
        m_painter.restore();
    }
    // Writing a text ends the line: the pen moves to the start of the next one.
    const double lineHeight = QFontMetrics(m_font).height();
    if (m_downward)
        m_penX -= lineHeight / m_map.pixelsW * m_map.width;
    else
        m_penY += lineHeight / m_map.pixelsH * m_map.height;
}

}  // namespace tessaly::plot
