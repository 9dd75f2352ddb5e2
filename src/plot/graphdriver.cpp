#include "plot/graphdriver.h"

#include <cmath>

#include "engine/errors.h"
#include "numeric/tabulation.h"
#include "plot/canvas.h"
#include "plot/decorations.h"
#include "plot/graphwindow.h"

namespace tessaly::plot {
namespace {

const QColor kBlack(0, 0, 0);
const QColor kLightRed(255, 160, 160);
const QColor kBlue(0, 0, 255);

float single(double v) { return static_cast<float>(v); }

// The curve's samples: x + step, then again, up to the first beyond the right
// edge (compared in single precision), as drawCurve takes them.
numeric::Tabulation::Abscissae sampleAbscissae(double x, double step, float right)
{
    return [x, step, right, done = false](double* out, std::size_t max) mutable {
        std::size_t n = 0;
        while (!done && n < max) {
            const double next = x + step;
            done = !std::isfinite(next) || next == x || single(next) > right;
            x = next;
            out[n++] = x;
        }
        return n;
    };
}

// The numbers that make a gap in the curve rather than end it.
bool curveTolerates(std::int32_t n) { return engine::isTolerated(n) || n == engine::err::ExpectedEndOfStatement; }

class Driver {
public:
    Driver(Canvas& c, const GraphWindow& w, numeric::StudyFunction& f, const GraphRequest& r,
           const numeric::Factorials& factorials)
        : m_c(c), m_w(w), m_f(f), m_r(r), m_factorials(factorials), m_lower(r.study.lower)
    {
        numeric::prepareDerivativeSteps(r.study.derivativeOrder, factorials, m_steps);
    }

    std::int32_t value(double x, double& out) { return value(m_f, x, out); }
    std::int32_t value(numeric::StudyFunction& f, double x, double& out)
    {
        const auto v = numeric::derivativeAt(f, m_steps, m_factorials, x);
        out = v.value;
        return v.error;
    }

    // The value clamped into the window's height (compared in single precision).
    double clamped(double v) const
    {
        if (single(v) > m_w.s.windowGy)
            return m_w.s.windowGy;
        if (single(v) < m_w.s.windowLy)
            return m_w.s.windowLy;
        return v;
    }

    // Hatching between the x-axis and f over the studied interval.
    void shadeArea()
    {
        const PlotSettings& s = m_w.s;
        if (!m_r.shade || m_r.study.derivativeOrder != 0)
            return;
        if (single(m_lower) > s.windowGx || single(m_r.study.upper) < s.windowLx)
            return;  // the studied interval lies wholly beside the window
        if (single(m_lower) < s.windowLx)
            m_lower = s.windowLx;
        m_c.point(m_lower, s.originY, kLightRed);
        double x = m_lower, v = 0;
        for (;;) {
            if (m_f.trapped(value(x, v)) != 0)
                return;  // the shading ends at its first failed value
            m_c.lineTo(x, clamped(v), kLightRed);
            x = x + 0.999 * static_cast<double>(m_w.sampleStep);
            if (!(single(x) < s.windowGx) || !(x < m_r.study.upper))
                break;
            m_c.point(x, s.originY, kBlue);
        }
        if (!(single(m_r.study.upper) > s.windowGx)) {
            const double upper = m_r.study.upper;
            if (m_f.trapped(value(upper, v)) == 0)
                m_c.line(upper, s.originY, upper, clamped(v), kLightRed);
        }
    }

    // Blue marks from the x-axis to the curve at the ends of the studied interval.
    void markInterval()
    {
        const PlotSettings& s = m_w.s;
        for (const double e : {m_lower, m_r.study.upper}) {
            if (single(e) < s.windowLx || single(e) > s.windowGx)
                continue;
            m_c.point(e, s.originY, kBlue);
            double v = 0;
            if (m_f.trapped(value(e, v)) == 0)
                m_c.lineTo(e, clamped(v), kBlue);
        }
    }

    // The curve: samples from the window's left edge every sample step (by
    // repeated addition) up to the first beyond the right edge; a sample that
    // cannot be computed ends the piece, and the next one starts a new piece.
    GraphOutcome drawCurve()
    {
        const PlotSettings& s = m_w.s;
        GraphOutcome out;
        const double step = m_w.sampleStep;
        double x = static_cast<double>(s.windowLx) - step, v = 0;
        bool pieceStarted = false;
        // The samples of f itself are computed ahead, a block at a time: the
        // same values, and a failure asked of f in its turn (numeric::Tabulation).
        numeric::Tabulation samples(m_f, {});
        if (m_r.study.derivativeOrder == 0)
            samples.follow(sampleAbscissae(x, step, s.windowGx));
        m_c.beginRun(kBlack);
        for (;;) {
            x = x + step;
            if (const auto e = value(samples, x, v)) {
                out.error = samples.trapped(e);
                if (!curveTolerates(out.error) || !(single(x) < s.windowGx))
                    break;
                pieceStarted = false;
                continue;
            }
            out.error = 0;
            if (!pieceStarted) {
                m_c.point(x, v, m_c.foreColor());
                pieceStarted = true;
                if (single(x) == s.windowGx)
                    break;
                continue;
            }
            lineTo(x, v);
            if (single(x) > s.windowGx)
                break;
        }
        samples.settle();
        m_c.endRun();
        out.currentX = x;
        out.currentValue = v;
        return out;
    }

private:
    // A segment to the new sample, unless both ends lie above, or both below, the window.
    void lineTo(double x, double v)
    {
        const float y = single(v), p = single(m_c.penY());
        const PlotSettings& s = m_w.s;
        if ((y > s.windowGy && p > s.windowGy) || (y < s.windowLy && p < s.windowLy))
            m_c.moveTo(x, v);
        else
            m_c.lineTo(x, v, kBlack);
    }

    Canvas& m_c;
    const GraphWindow& m_w;
    numeric::StudyFunction& m_f;
    const GraphRequest& m_r;
    const numeric::Factorials& m_factorials;
    numeric::DerivativeSteps m_steps;
    double m_lower;  // the studied interval's lower end, moved to the window's edge by the shading
};

}  // namespace

GraphOutcome drawGraph(QPainter& painter, const Surface& surface, numeric::StudyFunction& f,
                       const GraphRequest& request, const numeric::Factorials& factorials,
                       const std::function<void()>& beforeCurve)
{
    const GraphWindow w = setUpGraphWindow(request.plot, surface.width, surface.height);
    GraphOutcome out;
    {
        Canvas c(painter, w.map, surface.exact);
        c.setForeColor(request.foreColor);
        Driver d(c, w, f, request, factorials);
        drawWindowFrame(c, w);
        d.shadeArea();
        drawDivisions(c, w);
        d.markInterval();
        drawAxes(c, w);
        markOrigin(c, w);
        if (request.labelWindow)
            labelWindow(c, w);
        if (request.labelDivisions)
            labelDivisions(c, w, request.divisionXText, request.divisionYText);
        if (beforeCurve)
            beforeCurve();
        out = d.drawCurve();
        out.foreColor = c.foreColor();
    }
    out.map = w.map;
    return out;
}

Surface surfaceOf(const QImage& image)
{
    const double ratio = image.devicePixelRatio();
    return {static_cast<int>(std::lround(image.width() / ratio)), static_cast<int>(std::lround(image.height() / ratio)),
            ratio == 1};
}

GraphOutcome drawGraph(QImage& image, numeric::StudyFunction& f, const GraphRequest& request,
                       const numeric::Factorials& factorials, const std::function<void()>& beforeCurve)
{
    QPainter painter(&image);
    return drawGraph(painter, surfaceOf(image), f, request, factorials, beforeCurve);
}

}  // namespace tessaly::plot
