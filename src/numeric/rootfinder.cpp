#include "numeric/rootfinder.h"

#include <cmath>

#include "common/numbertext.h"
#include "engine/errors.h"
#include "numeric/gridwalk.h"
#include "numeric/studysteps.h"

namespace tessaly::numeric {
namespace {

constexpr double kProbe = 1E-05;       // δ: offset of the slope probes
constexpr double kProbeTwice = 2E-05;  // 2δ

double sgn(double v) { return v > 0 ? 1.0 : v < 0 ? -1.0 : 0.0; }

class RootFinder : GridScan<RootsOutcome> {
public:
    RootFinder(StudyFunction& f, const StudyInputs& in) : GridScan(f, in) {}

    RootsOutcome run()
    {
        if (const auto e = start())
            return ended(e);

        double s1 = 0, s2 = 0, g = 0;
        enum class Step { FirstPoint, FollowingPoint, Zero, Compare } step = Step::FirstPoint;
        // f at the two ends of the bracket being watched.
        double left = 0, right = 0;

        for (;;) {
            switch (step) {
            case Step::FirstPoint: {
                if (!next(/*first=*/true))
                    return endOfGrid();
                if (const auto e = value(m_x, left)) {
                    if (!tolerate(e))
                        return ended();
                    break;
                }
                s1 = sgn(left);
                if (s1 == 0) {
                    if (!record(m_x))
                        return full();
                    break;  // the next grid point starts a new run
                }
                step = Step::FollowingPoint;
                break;
            }
            case Step::FollowingPoint: {
                if (!next(/*first=*/false))
                    return endOfGrid();
                if (const auto e = value(m_x, right)) {
                    if (!tolerate(e)) {
                        return ended();
                    }
                    step = Step::FirstPoint;
                    break;
                }
                s2 = sgn(right);
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
                    left = right;
                    step = Step::FollowingPoint;
                    break;
                }
                // A sign change between x - h and x: refine from the midpoint.
                s1 = s2;
                g = m_x;
                bool found = false;
                if (const auto e = refine(left, right, found)) {
                    if (!tolerate(e))
                        return ended();
                    step = Step::FirstPoint;
                    break;
                }
                if (found && !record(m_x))
                    return full();
                if (!(g <= m_in.upper))
                    return finished();
                m_x = g;
                if (const auto e = value(g, right)) {
                    if (!tolerate(e))
                        return ended();
                    step = Step::FirstPoint;
                    break;
                }
                s2 = sgn(right);
                step = Step::Zero;
                break;
            }
            }
        }
    }

private:
    // Newton steps from the midpoint of the bracket until two iterates differ by
    // at most E (at least one step; at most M). A refinement that does not
    // converge finds nothing; nor does one that converges where |f| is larger
    // than at both ends of the bracket: the sign changed across a pole there.
    std::int32_t refine(double left, double right, bool& found)
    {
        StudySteps s(m_f);
        m_x = s.sub(m_x, s.div(m_h, 2));
        double distance = 0;
        for (std::int32_t i = 1;; ++i) {
            const double p = m_x;
            const double f0 = s.f(m_x);
            const double f1 = s.f(m_x, kProbe);
            const double f2 = s.f(m_x, -kProbe);
            const double next = s.sub(m_x, s.mul(s.div(f0, s.sub(f1, f2)), kProbeTwice));
            if (s.failed())
                return s.error();
            m_x = next;
            distance = s.sub(p, m_x);
            if (s.failed())
                return s.error();
            if (std::fabs(distance) <= m_in.errorBound || i >= m_in.maxIterations)
                break;
        }
        if (!(std::fabs(distance) <= m_in.errorBound))
            return 0;
        const double there = s.f(m_x);
        found = !(std::fabs(there) > std::fabs(left) && std::fabs(there) > std::fabs(right));
        return s.error();
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

    std::string label() const override { return std::to_string(m_out.roots.size()) + " roots"; }
};

}  // namespace

RootsOutcome findRoots(StudyFunction& f, const StudyInputs& in) { return RootFinder(f, in).run(); }

}  // namespace tessaly::numeric
