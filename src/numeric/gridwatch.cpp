#include "numeric/gridwatch.h"

#include <cmath>

#include "common/numbertext.h"

namespace tessaly::numeric {

void GridWatch::value(double x, double fx)
{
    if (!m_last.empty() && m_last.back().x == x)
        return;
    if (fx == 0) {
        if (m_zeros++ == 0)
            m_zeroFrom = Point{x, fx};
        m_zeroTo = Point{x, fx};
    } else {
        endZeroRun();
    }
    m_last.push_back({x, fx});
    if (m_last.size() > 3)
        m_last.erase(m_last.begin());
    if (m_last.size() < 3)
        return;
    const Point& a = m_last[0];
    const Point& m = m_last[1];
    const Point& b = m_last[2];
    const double sign = m.f > 0 ? 1 : -1;
    if (a.f * sign <= 0 || m.f * sign <= 0 || b.f * sign <= 0)
        return;  // a sign change or a zero: the scan sees those
    if (std::fabs(m.f) > std::fabs(a.f) || std::fabs(m.f) > std::fabs(b.f))
        return;  // not a local minimum of |f|
    // The parabola through the three (equally spaced) values, in t = x - m.x.
    const double h = m.x - a.x;
    const double curve = (a.f - 2 * m.f + b.f) / (2 * h * h);
    const double slope = (b.f - a.f) / (2 * h);
    if (!(curve * sign > 0) || !std::isfinite(curve) || !std::isfinite(slope))
        return;
    const double vertex = m.f - slope * slope / (4 * curve);
    if (vertex * sign > kTouchTolerance * std::fabs(m.f))
        return;
    const double at = m.x - slope / (2 * curve);
    Warning w;
    w.kind = Warning::Kind::TouchingRoot;
    w.x = at;
    w.text = "f may touch 0 near x = " + common::numberText(at) + " without changing sign on the grid";
    m_warnings.push_back(std::move(w));
}

void GridWatch::broken()
{
    endZeroRun();
    m_last.clear();
}

void GridWatch::endZeroRun()
{
    if (m_zeros >= 2) {
        Warning w;
        w.kind = Warning::Kind::ZeroRun;
        w.from = m_zeroFrom->x;
        w.to = m_zeroTo->x;
        w.text = "f is exactly 0 on [" + common::numberText(*w.from) + ", " + common::numberText(*w.to) + "]";
        m_warnings.push_back(std::move(w));
    }
    m_zeros = 0;
}

std::vector<Warning> GridWatch::finish()
{
    endZeroRun();
    return std::move(m_warnings);
}

}  // namespace tessaly::numeric
