#include "numeric/extremafinder.h"

#include <cmath>

#include "common/numbertext.h"
#include "engine/errors.h"
#include "numeric/gridwalk.h"
#include "numeric/studysteps.h"

namespace tessaly::numeric {
namespace {

constexpr double kProbe = 0.0045;      // d
constexpr double kProbeTwice = 0.009;  // 2d

double sgn(double v) { return v > 0 ? 1.0 : v < 0 ? -1.0 : 0.0; }

class ExtremaFinder : GridScan<ExtremaOutcome> {
public:
    ExtremaFinder(StudyFunction& f, const StudyInputs& in) : GridScan(f, in) {}

    ExtremaOutcome run()
    {
        if (const auto e = start())
            return ended(e);

        double s1 = 0, s2 = 0, g = 0;
        enum class Step { FirstPoint, FollowingPoint, Slope, Zero, Compare } step = Step::FirstPoint;

        // A tolerated failure starts a new run at the grid point after the last
        // one reached; any other ends the command.
#define TESSALY_TRAP(expr)       \
    if (const auto e = (expr)) { \
        if (!tolerate(e))        \
            return ended();      \
        step = Step::FirstPoint; \
        break;                   \
    }

        for (;;) {
            switch (step) {
            case Step::FirstPoint: {
                if (!next(/*first=*/true))
                    return endOfGrid();
                TESSALY_TRAP(slopeSign(m_x, s1))
                if (s1 == 0) {
                    Kind kind = Kind::Flat;
                    TESSALY_TRAP(classify(m_x, kind))
                    if (kind != Kind::Flat) {
                        if (!recordAtGrid(kind, /*spaced=*/false))
                            return full();
                        break;  // the next grid point starts a new run
                    }
                }
                step = Step::FollowingPoint;
                break;
            }
            case Step::FollowingPoint: {
                if (!next(/*first=*/false))
                    return endOfGrid();
                step = Step::Slope;
                break;
            }
            case Step::Slope:
                TESSALY_TRAP(slopeSign(m_x, s2))
                step = Step::Zero;
                break;
            case Step::Zero:
                if (s2 == 0) {
                    Kind kind = Kind::Flat;
                    TESSALY_TRAP(classify(m_x, kind))
                    if (kind != Kind::Flat) {
                        if (!recordAtGrid(kind, /*spaced=*/true))
                            return full();
                        step = Step::FirstPoint;
                        break;
                    }
                }
                step = Step::Compare;
                break;
            case Step::Compare: {
                if (s1 == s2) {
                    step = Step::FollowingPoint;
                    break;
                }
                // The slope sign changed between the previous grid point and this one.
                g = m_x;
                bool full = false;
                TESSALY_TRAP(refine(full))
                if (full)
                    return this->full();
                s1 = s2;
                m_x = g;
                step = Step::Slope;  // the same grid point again: its sign now equals s1
                break;
            }
            }
        }
#undef TESSALY_TRAP
    }

private:
    enum class Kind { Minimum, Maximum, Flat };

    // The sign of f(x + d) - f(x - d), f(x - d) evaluated first.
    std::int32_t slopeSign(double x, double& sign)
    {
        StudySteps s(m_f);
        const double left = s.f(x, -kProbe);
        const double right = s.f(x, kProbe);
        const double difference = s.sub(right, left);
        if (s.failed())
            return s.error();
        sign = sgn(difference);
        return 0;
    }

    // A grid point with a zero slope sign: a possible root when |f| <= E, and a
    // minimum or maximum by comparing f(x + d) with f(x).
    std::int32_t classify(double x, Kind& kind)
    {
        StudySteps s(m_f);
        const double fx = s.f(x);
        if (s.failed())
            return s.error();
        if (std::fabs(fx) <= m_in.errorBound)
            ++m_out.possibleRoots;
        const double fd = s.f(x, kProbe);
        if (s.failed())
            return s.error();
        kind = fd > fx ? Kind::Minimum : fd < fx ? Kind::Maximum : Kind::Flat;
        m_value = fx;
        return 0;
    }

    // Newton iterations on f' from the midpoint of the grid step, with five-point
    // differences; a converged point is classified against f(x - d) and added
    // unless an extremum of its kind lies within E.
    std::int32_t refine(bool& full)
    {
        StudySteps s(m_f);
        m_x = s.sub(m_x, s.div(m_h, 2));
        double distance = 0;
        for (std::int32_t i = 1;; ++i) {
            const double p = m_x;
            double f[5];
            const double offsets[5] = {-kProbeTwice, -kProbe, 0, kProbe, kProbeTwice};
            for (int k = 0; k < 5; ++k)
                f[k] = s.f(m_x, offsets[k]);
            const double numerator = weighted(s, f, {1, -8, 0, 8, -1});        // f(-2d) - 8 f(-d) + 8 f(d) - f(2d)
            const double denominator = weighted(s, f, {-1, 16, -30, 16, -1});  // -f(-2d) + 16 f(-d) - 30 f(0) + ...
            const double next = s.sub(m_x, s.mul(s.div(numerator, denominator), kProbe));
            if (s.failed())
                return s.error();
            m_x = next;
            distance = s.sub(p, m_x);
            if (s.failed())
                return s.error();
            if (std::fabs(distance) <= m_in.errorBound || i >= m_in.maxIterations)
                break;
        }
        m_step = std::fabs(distance);
        if (const double fx = s.f(m_x); !s.failed() && std::fabs(fx) <= m_in.errorBound)
            ++m_out.possibleRoots;
        if (s.failed() || !(std::fabs(distance) <= m_in.errorBound))
            return s.error();
        const double fLeft = s.f(m_x, -kProbe);
        const double fx = s.f(m_x);
        if (s.failed())
            return s.error();
        if (fx < fLeft)
            return addRefined(Kind::Minimum, full);
        if (fx > fLeft)
            return addRefined(Kind::Maximum, full);
        return 0;
    }

    // The sum of weights times values, left to right, each weight applied as the
    // formula writes it (a leading minus negates, a weight of 1 is no product).
    static double weighted(StudySteps& s, const double (&f)[5], std::initializer_list<int> weights)
    {
        double sum = 0;
        bool first = true;
        int k = 0;
        for (const int w : weights) {
            const double v = f[k++];
            if (w == 0)
                continue;
            const int magnitude = w < 0 ? -w : w;
            const double term = magnitude == 1 ? v : s.mul(magnitude, v);
            if (first)
                sum = w < 0 ? -term : term;
            else
                sum = w < 0 ? s.sub(sum, term) : s.add(sum, term);
            first = false;
        }
        return sum;
    }

    std::vector<double>& positions(Kind kind)
    {
        return kind == Kind::Maximum ? m_out.maxPositions : m_out.minPositions;
    }

    // A refined extremum: nothing when one of its kind lies within E (strictly),
    // otherwise f is evaluated again and its row added.
    std::int32_t addRefined(Kind kind, bool& full)
    {
        for (const double position : positions(kind))
            if (std::fabs(m_x - position) < m_in.errorBound)
                return 0;
        const auto v = m_f.at(m_x);
        if (v.error)
            return v.error;
        m_value = v.value;
        full = !record(kind, /*spaced=*/true);
        return 0;
    }

    bool recordAtGrid(Kind kind, bool spaced)
    {
        m_step = 0;
        return record(kind, spaced);
    }

    // Adds the row for x with the value last taken; false when the kind's table is full.
    bool record(Kind kind, bool spaced)
    {
        auto& table = positions(kind);
        if (table.size() >= static_cast<std::size_t>(kExtremaSlots))
            return false;
        m_out.rows.push_back(extremumRow(kind == Kind::Maximum, spaced, m_x, m_value));
        table.push_back(m_x);
        m_out.found.push_back({kind == Kind::Maximum, m_x, m_value, m_step});
        return true;
    }

    std::string label() const override
    {
        return extremaLabel(static_cast<std::int32_t>(m_out.maxPositions.size()),
                            static_cast<std::int32_t>(m_out.minPositions.size()), m_out.possibleRoots);
    }

    double m_value = 0;  // f at the extremum being recorded
    double m_step = 0;   // the last Newton step that placed it
};

}  // namespace

std::string extremaLabel(std::int32_t maxima, std::int32_t minima, std::int32_t possibleRoots)
{
    std::string s = std::to_string(maxima) + " max. " + std::to_string(minima) + " min. ";
    if (possibleRoots != 0)
        s += std::to_string(possibleRoots) + " possible root(s).";
    return s;
}

std::string extremumRow(bool maximum, bool spaced, double x, double y)
{
    std::string s = maximum ? "MAX:" : "MIN:";
    if (spaced)
        s += ' ';
    s += '[';
    s += common::numberText(x);
    s += " , ";
    s += common::numberText(y);
    s += ']';
    return s;
}

ExtremaOutcome findExtrema(StudyFunction& f, const StudyInputs& in) { return ExtremaFinder(f, in).run(); }

std::vector<Height> heightsAt(StudyFunction& f, const std::vector<double>& positions)
{
    std::vector<Height> out;
    for (double x : positions) {
        const engine::FunctionValue v = f.at(x);
        out.push_back({x, v.value, v.error ? f.trapped(v.error) : 0});
    }
    return out;
}

}  // namespace tessaly::numeric
