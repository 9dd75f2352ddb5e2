#include "numeric/rootfinder.h"

#include <cmath>

#include "common/numbertext.h"
#include "engine/arithmetic.h"
#include "engine/errors.h"

namespace tessaly::numeric {
namespace {

namespace num = engine::num;
namespace err = engine::err;

constexpr double kProbe = 1E-05;        // δ: offset of the slope probes
constexpr double kProbeTwice = 2E-05;   // 2δ

double sgn(double v) { return v > 0 ? 1.0 : v < 0 ? -1.0 : 0.0; }

class RootFinder {
public:
    RootFinder(StudyFunction& f, const StudyInputs& in) : m_f(f), m_in(in) {}

    RootsOutcome run()
    {
        if (m_in.subintervals < 1)
            return ended(err::InvalidCall);  // no grid to walk
        double span = 0;
        if (const auto e = num::sub(m_in.upper, m_in.lower, span))
            return ended(m_f.trapped(e));
        if (const auto e = num::div(span, m_in.subintervals, m_h))
            return ended(m_f.trapped(e));
        if (const auto e = num::sub(m_in.lower, m_h, m_x))
            return ended(m_f.trapped(e));
        m_out.gridStep = m_h;

        const double b = m_in.upper;
        double s1 = 0, s2 = 0, g = 0;
        enum class Step { FirstPoint, FollowingPoint, Zero, Compare } step = Step::FirstPoint;
        // A tolerated failure sends the scan back to the grid point last reached:
        // the point after it starts a new run.
        auto restart = [&](std::int32_t raised) {
            const std::int32_t n = m_f.trapped(raised);
            m_out.error = n;
            if (!engine::isTolerated(n))
                return false;
            m_x = m_out.lastGridX;
            step = Step::FirstPoint;
            return true;
        };

        for (;;) {
            switch (step) {
            case Step::FirstPoint: {
                const Advance a = advance(/*first=*/true);
                if (a == Advance::PastEnd)
                    return finished();
                if (a == Advance::Stuck)
                    return ended(err::InvalidCall);
                if (const auto e = sign(m_x, s1)) {
                    if (!restart(e))
                        return ended();
                    break;
                }
                if (s1 == 0) {
                    if (!record(m_x))
                        return full();
                    break;  // the next grid point starts a new run
                }
                step = Step::FollowingPoint;
                break;
            }
            case Step::FollowingPoint: {
                const Advance a = advance(/*first=*/false);
                if (a == Advance::PastEnd)
                    return finished();
                if (a == Advance::Stuck)
                    return ended(err::InvalidCall);
                if (const auto e = sign(m_x, s2)) {
                    if (!restart(e))
                        return ended();
                    break;
                }
                step = Step::Zero;
                break;
            }
            case Step::Zero:
                if (s2 == 0) {
                    if (!record(m_x))
                        return full();
                    step = Step::FirstPoint;
                    break;
                }
                step = Step::Compare;
                break;
            case Step::Compare: {
                if (s2 == s1) {
                    step = Step::FollowingPoint;
                    break;
                }
                // A sign change between x - h and x: refine from the midpoint.
                s1 = s2;
                g = m_x;
                bool converged = false;
                if (const auto e = refine(converged)) {
                    if (!restart(e))
                        return ended();
                    break;
                }
                if (converged && !record(m_x))
                    return full();
                if (!(g <= b))
                    return finished();
                m_x = g;
                if (const auto e = sign(g, s2)) {
                    if (!restart(e))
                        return ended();
                    break;
                }
                step = Step::Zero;
                break;
            }
            }
        }
    }

private:
    enum class Advance { Moved, PastEnd, Stuck };

    // Steps 3 and 5: the next grid point. The first point of a run must lie
    // strictly below b; a following point may be b itself.
    Advance advance(bool first)
    {
        const double next = m_x + m_h;
        if (!std::isfinite(next))
            return Advance::PastEnd;  // beyond the largest double is beyond b
        const bool moved = next != m_x;
        m_x = next;
        m_out.lastGridX = next;
        if (first ? !(next < m_in.upper) : next > m_in.upper)
            return Advance::PastEnd;
        return moved ? Advance::Moved : Advance::Stuck;
    }

    std::int32_t value(double at, double& out)
    {
        const auto v = m_f.at(at);
        out = v.value;
        return v.error;
    }

    std::int32_t sign(double at, double& s)
    {
        double v = 0;
        if (const auto e = value(at, v))
            return e;
        s = sgn(v);
        return 0;
    }

    // Steps 8 to 10: Newton steps from the midpoint of the bracket until two
    // iterates differ by at most E (at least one step; at most M). A refinement
    // that does not converge finds nothing.
    std::int32_t refine(bool& converged)
    {
        double half = 0;
        if (const auto e = num::div(m_h, 2, half))
            return e;
        if (const auto e = num::sub(m_x, half, m_x))
            return e;
        double p = 0, distance = 0;
        for (std::int32_t i = 1;; ++i) {
            p = m_x;
            double f0 = 0, f1 = 0, f2 = 0, probe = 0;
            if (const auto e = value(m_x, f0))
                return e;
            if (const auto e = num::add(m_x, kProbe, probe))
                return e;
            if (const auto e = value(probe, f1))
                return e;
            if (const auto e = num::sub(m_x, kProbe, probe))
                return e;
            if (const auto e = value(probe, f2))
                return e;
            double slope = 0, ratio = 0, step = 0;
            if (const auto e = num::sub(f1, f2, slope))
                return e;
            if (const auto e = num::div(f0, slope, ratio))
                return e;
            if (const auto e = num::mul(ratio, kProbeTwice, step))
                return e;
            if (const auto e = num::sub(m_x, step, m_x))
                return e;
            if (const auto e = num::sub(p, m_x, distance))
                return e;
            if (std::fabs(distance) <= m_in.errorBound || i >= m_in.maxIterations)
                break;
        }
        converged = std::fabs(distance) <= m_in.errorBound;
        return 0;
    }

    // Records a root; false when the table already holds 255.
    bool record(double x)
    {
        if (m_out.roots.size() >= static_cast<std::size_t>(kRootSlots))
            return false;
        m_out.rows.push_back(common::numberText(x));
        m_out.roots.push_back(x);
        return true;
    }

    RootsOutcome finished()
    {
        m_out.label = std::to_string(m_out.roots.size()) + " roots";
        m_out.currentX = m_x;
        return std::move(m_out);
    }

    RootsOutcome ended(std::int32_t number = 0)
    {
        if (number)
            m_out.error = number;
        m_out.currentX = m_x;
        return std::move(m_out);
    }

    // A 256th root: the scan stops, but the label still tells the 255 listed.
    RootsOutcome full()
    {
        m_out.tableFull = true;
        m_out.error = err::SubscriptOutOfRange;
        return finished();
    }

    StudyFunction& m_f;
    const StudyInputs& m_in;
    RootsOutcome m_out;
    double m_h = 0;
    double m_x = 0;
};

}  // namespace

RootsOutcome findRoots(StudyFunction& f, const StudyInputs& in) { return RootFinder(f, in).run(); }

}  // namespace tessaly::numeric
