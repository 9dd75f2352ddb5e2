#include "numeric/rootfinder.h"

#include <cmath>

#include "common/numbertext.h"
#include "engine/errors.h"
#include "numeric/gridwalk.h"
#include "numeric/gridwatch.h"
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
                    m_watch.broken();
                    if (!tolerate(e))
                        return ended();
                    break;
                }
                m_watch.value(m_x, left);
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
                    m_watch.broken();
                    if (!tolerate(e)) {
                        return ended();
                    }
                    step = Step::FirstPoint;
                    break;
                }
                m_watch.value(m_x, right);
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
                m_bracket = g;
                bool found = false;
                if (const auto e = refine(left, right, found)) {
                    m_watch.broken();
                    if (!tolerate(e))
                        return ended();
                    step = Step::FirstPoint;
                    break;
                }
                if (found && !record(m_x, m_slope))
                    return full();
                if (!(g <= m_in.upper))
                    return finished();
                m_x = g;
                if (const auto e = value(g, right)) {
                    m_watch.broken();
                    if (!tolerate(e))
                        return ended();
                    step = Step::FirstPoint;
                    break;
                }
                m_watch.value(g, right);
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
            m_slope = (f1 - f2) / kProbeTwice;
            m_x = next;
            distance = s.sub(p, m_x);
            if (s.failed())
                return s.error();
            if (std::fabs(distance) <= m_in.errorBound || i >= m_in.maxIterations)
                break;
        }
        if (!(std::fabs(distance) <= m_in.errorBound)) {
            unsettled(m_in.maxIterations);
            return 0;
        }
        const double there = s.f(m_x);
        found = !(std::fabs(there) > std::fabs(left) && std::fabs(there) > std::fabs(right));
        return s.error();
    }

    // Records a root (with the slope its refinement saw); false when the table
    // already holds 255.
    bool record(double x, double slope = 0)
    {
        if (m_out.roots.size() >= static_cast<std::size_t>(kRootSlots))
            return false;
        m_out.rows.push_back(common::numberText(x));
        m_out.roots.push_back(x);
        m_out.slopes.push_back(slope);
        return true;
    }

    // A sign change between the last two grid points that the refinement left
    // unsettled after its last allowed step.
    void unsettled(std::int32_t steps)
    {
        Warning w;
        w.kind = Warning::Kind::UnsettledSignChange;
        w.from = m_bracket - m_h;
        w.to = m_bracket;
        w.text = "A sign change in [" + common::numberText(*w.from) + ", " + common::numberText(*w.to)
                 + "] was not settled in " + std::to_string(steps) + " iterations";
        m_unsettled.push_back(std::move(w));
    }

    std::string label() const override { return std::to_string(m_out.roots.size()) + " roots"; }

    RootsOutcome finished() override
    {
        m_out.warnings = m_watch.finish();
        for (auto& w : m_unsettled)
            m_out.warnings.push_back(std::move(w));
        return GridScan::finished();
    }

    GridWatch m_watch;
    std::vector<Warning> m_unsettled;
    double m_slope = 0;    // f' at the last Newton step
    double m_bracket = 0;  // the grid point that ends the bracket being refined
};

}  // namespace

RootsOutcome findRoots(StudyFunction& f, const StudyInputs& in) { return RootFinder(f, in).run(); }

}  // namespace tessaly::numeric
