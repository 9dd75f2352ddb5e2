#include "plot/canvas.h"

#include <QFontMetrics>
#include <QFontMetricsF>
#include <QPaintDevice>

#include <algorithm>
#include <cmath>

namespace tessaly::plot {
namespace {

// Pixel coordinates further out than this are clipped before rounding.
constexpr double kFar = 1 << 20;

// Cuts the segment to the rectangle [left, right] x [top, bottom]; false when
// nothing is left.
bool clipTo(double& x1, double& y1, double& x2, double& y2, double left, double right, double top, double bottom)
{
    double t0 = 0, t1 = 1;
    const double dx = x2 - x1, dy = y2 - y1;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x1 - left, right - x1, y1 - top, bottom - y1};
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

// Cuts the segment to the square [-kFar, kFar]²; false when nothing is left.
bool clipFar(double& x1, double& y1, double& x2, double& y2)
{
    return clipTo(x1, y1, x2, y2, -kFar, kFar, -kFar, kFar);
}

// How far beyond the picture a smooth drawing keeps a segment: wider than a
// line's width and its join, so what shows is the same.
constexpr double kSmoothMargin = 4;

// The longest segment a run takes, in pixels, and the most elements it holds
// before it is stroked.
constexpr double kRunSegment = 64;
constexpr int kRunLength = 512;

QPoint rounded(double px, double py)
{
    return {static_cast<int>(ScaleMap::nearest(px)), static_cast<int>(ScaleMap::nearest(py))};
}

bool isBitmap(const QPaintDevice* device)
{
    return device && (device->devType() == QInternal::Image || device->devType() == QInternal::Pixmap);
}

}  // namespace

Canvas::Canvas(QPainter& painter, const ScaleMap& map, bool exact) : m_painter(painter), m_map(map), m_exact(exact)
{
    m_painter.save();
    m_painter.setRenderHint(QPainter::Antialiasing, !exact);
    m_painter.setRenderHint(QPainter::TextAntialiasing, !exact);
    m_painter.setBrush(Qt::NoBrush);
    if (!exact) {
        // A page or a file shows nothing beyond the picture (a bitmap clips by itself).
        m_painter.setClipRect(QRectF(0, 0, map.pixelsW, map.pixelsH), Qt::IntersectClip);
        if (isBitmap(m_painter.device()) && m_painter.transform().isIdentity())
            m_deviceRatio = m_painter.device()->devicePixelRatioF();
    }
}

Canvas::~Canvas()
{
    endRun();
    m_painter.restore();
}

QPointF Canvas::at(double px, double py) const { return {px + 0.5, py + 0.5}; }

double Canvas::onDevicePixel(double v) const
{
    if (m_deviceRatio > 0)
        return std::floor(v * m_deviceRatio + 0.5) / m_deviceRatio + 0.5;
    return v + 0.5;
}

bool Canvas::inRange(double px, double py) const { return std::fabs(px) < kFar && std::fabs(py) < kFar; }

void Canvas::setPen(const QColor& c)
{
    if (m_exact) {
        QPen pen(c);
        pen.setWidth(0);  // one pixel whatever the transformation
        pen.setCosmetic(true);
        m_painter.setPen(pen);
    } else {
        m_painter.setPen(QPen(c, 1.0, Qt::SolidLine, Qt::SquareCap, Qt::RoundJoin));
    }
}

void Canvas::moveTo(double x, double y)
{
    m_penX = x;
    m_penY = y;
}

void Canvas::point(double x, double y, const QColor& c)
{
    moveTo(x, y);
    const double px = m_map.px(x), py = m_map.py(y);
    if (!inRange(px, py))
        return;
    if (m_exact) {
        setPen(c);
        m_painter.drawPoint(rounded(px, py));
    } else {
        const QPointF p = at(px, py);
        m_painter.fillRect(QRectF(p.x() - 0.5, p.y() - 0.5, 1, 1), c);
    }
}

void Canvas::drawSegment(double x1, double y1, double x2, double y2, const QColor& c)
{
    double a = m_map.px(x1), b = m_map.py(y1), d = m_map.px(x2), e = m_map.py(y2);
    if (!(std::isfinite(a) && std::isfinite(b) && std::isfinite(d) && std::isfinite(e)))
        return;
    if (!(inRange(a, b) && inRange(d, e))) {
        if (!clipFar(a, b, d, e))
            return;
    }
    if (m_exact) {
        setPen(c);
        m_painter.drawLine(rounded(a, b), rounded(d, e));
        return;
    }
    // A smooth drawing strokes only what can show: a stroke far outside the
    // picture costs as much as its length (a steep curve at a large size took
    // seconds).
    if (!clipTo(a, b, d, e, -kSmoothMargin, m_map.pixelsW + kSmoothMargin, -kSmoothMargin,
                m_map.pixelsH + kSmoothMargin))
        return;
    // A run joins its short segments smoothly; a long one (a steep curve's
    // jump) is stroked alone, and a run is stroked every kRunLength segments:
    // the cost of stroking one path grows faster than its length when its
    // segments cross each other.
    if (m_inRun && c == m_runColour && std::hypot(d - a, e - b) <= kRunSegment) {
        const QPointF from = at(a, b);
        if (m_run.elementCount() >= kRunLength)
            flushRun();
        if (m_run.elementCount() == 0 || m_run.currentPosition() != from)
            m_run.moveTo(from);
        m_run.lineTo(at(d, e));
        return;
    }
    QPointF from = at(a, b), to = at(d, e);
    if (a == d)
        from.rx() = to.rx() = onDevicePixel(a);
    if (b == e)
        from.ry() = to.ry() = onDevicePixel(b);
    setPen(c);
    m_painter.drawLine(QLineF(from, to));
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
    const double px = m_map.px(cx), py = m_map.py(cy);
    if (!inRange(px, py))
        return;
    const double r = std::fabs(radiusX / m_map.width * m_map.pixelsW);
    if (!(r < kFar))
        return;
    setPen(outline);
    m_painter.setBrush(fill);
    if (m_exact) {
        const int ir = static_cast<int>(ScaleMap::nearest(r));
        m_painter.drawEllipse(rounded(px, py), ir, ir);
    } else {
        m_painter.drawEllipse(at(px, py), r, r);
    }
    m_painter.setBrush(Qt::NoBrush);
    moveTo(cx, cy);
}

void Canvas::beginRun(const QColor& c)
{
    endRun();
    m_inRun = true;
    m_runColour = c;
}

void Canvas::endRun()
{
    if (!m_inRun)
        return;
    m_inRun = false;
    flushRun();
}

void Canvas::flushRun()
{
    if (m_run.isEmpty())
        return;
    setPen(m_runColour);
    m_painter.drawPath(m_run);
    m_run.clear();
}

void Canvas::setFont(const QFont& font, bool readsDownward)
{
    m_font = font;
    m_font.setStyleStrategy(m_exact ? QFont::NoAntialias : QFont::PreferAntialias);
    m_downward = readsDownward;
}

void Canvas::print(const QString& text)
{
    const double px = m_map.px(m_penX), py = m_map.py(m_penY);
    // The exact drawing keeps to whole pixels, also for the font's measures.
    const QFontMetricsF metrics(m_font);
    const double ascent = m_exact ? QFontMetrics(m_font).ascent() : metrics.ascent();
    const double lineHeight = m_exact ? QFontMetrics(m_font).height() : metrics.height();
    if (inRange(px, py)) {
        m_painter.save();
        m_painter.setFont(m_font);
        m_painter.setPen(m_fore);
        if (m_exact)
            m_painter.translate(rounded(px, py));
        else
            m_painter.translate(px, py);
        if (m_downward)
            m_painter.rotate(90);
        m_painter.drawText(QPointF(0, ascent), text);
        m_painter.restore();
    }
    // Writing a text ends the line: the pen moves to the start of the next one.
    if (m_downward)
        m_penX -= lineHeight / m_map.pixelsW * m_map.width;
    else
        m_penY += lineHeight / m_map.pixelsH * m_map.height;
}

}  // namespace tessaly::plot
