#include "numeric/integrator.h"

#include <algorithm>
#include <cmath>

#include "common/numbertext.h"
#include "engine/errors.h"
#include "numeric/studysteps.h"

namespace tessaly::numeric {
namespace {

// The computation as one chain of steps: the first failure ends it.
class Integrator {
public:
    Integrator(StudyFunction& f, const StudyInputs& in, const Parallelism& parallelism)
        : m_table(f, parallelism), m_s(m_table), m_in(in)
    {
    }

    std::int32_t run(double& estimate, bool& converged)
    {
        StudySteps& s = m_s;
        const double a = m_in.lower;
        std::int32_t n = 2;
        // Start: n = 2, H = (b - a) / 2, Ends = f(b) + f(a), f(b) first.
        double H = s.div(s.sub(m_in.upper, a), 2);
        const double fb = s.f(m_in.upper);
        const double fa = s.f(a);
        const double ends = s.add(fb, fa);
        // S = (4 f(a + H) + Ends) (H / 3)
        const double x = s.add(a, H);
        double S = s.mul(s.add(s.mul(4, s.f(x)), ends), s.div(H, 3));
        // Even = 0; Odd = f(a + H)
        double even = 0;
        double odd = s.f(x);
        // Mid = f(H 3 / 2 + a) + f(H / 2 + a), the first evaluated first.
        const double f1 = s.f(s.add(s.div(s.mul(H, 3), 2), a));
        const double f2 = s.f(s.add(s.div(H, 2), a));
        double mid = s.add(f1, f2);
        // B = (12 Odd + 7 Ends + 32 Mid) H / 45
        double B = s.div(s.mul(s.add(s.add(s.mul(12, odd), s.mul(7, ends)), s.mul(32, mid)), H), 45);
        // The same rule over |f|, from the same values, beside the sums.
        const double absEnds = std::fabs(fb) + std::fabs(fa);
        double absEven = 0, absOdd = std::fabs(odd), absMid = std::fabs(f1) + std::fabs(f2);
        auto keep = [&] {
            m_estimates.push_back(B);
            m_absEstimates.push_back((12 * absOdd + 7 * absEnds + 14 * absEven + 32 * absMid) * std::fabs(H) / 45);
        };
        m_estimates.push_back(S);
        keep();

        for (std::int32_t i = 0;; ++i) {
            const bool met = test(B, S, n);
            if (s.failed())
                return s.error();
            if (met || i >= m_in.maxIterations)
                break;
            if (n > INT32_MAX / 2)
                return engine::err::Overflow;  // the panel count
            n = 2 * n;
            H = s.mul(0.5, H);
            even = s.add(odd, even);
            odd = mid;
            S = B;
            absEven += absOdd;
            absOdd = absMid;
            // B = 12 Odd + 7 Ends + 14 Even, a partial sum
            B = s.add(s.add(s.mul(12, odd), s.mul(7, ends)), s.mul(14, even));
            // The midpoints: x = 0.5 H + a, then n - 1 times x = x + H. Their
            // values are computed ahead by the same additions (see Tabulation)
            // and summed here in order.
            double at = s.add(s.mul(0.5, H), a);
            m_table.follow(midpoints(at, H, n));
            mid = s.f(at);
            absMid = std::fabs(mid);
            for (std::int32_t k = 1; k < n && !s.failed(); ++k) {
                at = s.add(at, H);
                const double fx = s.f(at);
                mid = s.add(mid, fx);
                absMid += std::fabs(fx);
            }
            // B = (32 Mid + B) H / 45
            B = s.div(s.mul(s.add(s.mul(32, mid), B), H), 45);
            keep();
        }
        estimate = B;
        converged = test(B, S, n);
        m_panelWidth = H;
        m_panels = n;
        return s.error();
    }

    double currentX() const { return m_s.lastX(); }
    std::int32_t trapped(std::int32_t raised) { return m_table.trapped(raised); }
    void settle() { m_table.settle(); }

private:
    // |B - S| <= E and n >= N
    bool test(double B, double S, std::int32_t n)
    {
        return std::fabs(m_s.sub(B, S)) <= m_in.errorBound && n >= m_in.subintervals;
    }

    // count abscissae: first, then x = x + step each time, up to one that is not
    // finite (where the additions of the sum stop too).
    static Tabulation::Abscissae midpoints(double first, double step, std::int32_t count)
    {
        return [x = first, step, left = static_cast<std::size_t>(count), started = false](double* out,
                                                                                          std::size_t max) mutable {
            std::size_t n = std::min(max, left);
            // (The sum in a local: a store to out could change a member, which
            // would then be read again after each one.)
            double v = x;
            std::size_t k = 0;
            if (!started && n > 0) {
                started = true;
                out[k++] = v;
            }
            for (; k < n; ++k)
                out[k] = v = v + step;
            x = v;
            left -= n;
            // None beyond the first that is not finite: the sum's additions stop there.
            if (const auto end = std::find_if(out, out + n, [](double v) { return !std::isfinite(v); });
                end != out + n) {
                n = static_cast<std::size_t>(end - out);
                left = 0;
            }
            return n;
        };
    }

    Tabulation m_table;
    StudySteps m_s;
    const StudyInputs& m_in;

public:
    std::vector<double> m_estimates, m_absEstimates;
    double m_panelWidth = 0;
    std::int32_t m_panels = 0;
};

}  // namespace

std::optional<std::string> integralFailureMessage(std::int32_t error)
{
    switch (error) {
    case engine::err::InvalidCall:
    case engine::err::AlreadyReported: return "Invalid procedure call or argument";
    case engine::err::Overflow: return "overflow";
    case engine::err::DivisionByZero: return "division by zero";
    default: return std::nullopt;
    }
}

IntegralOutcome integrate(StudyFunction& f, const StudyInputs& in, const Parallelism& parallelism)
{
    IntegralOutcome out;
    Integrator integrator(f, in, parallelism);
    double estimate = 0;
    bool converged = false;
    const std::int32_t e = integrator.run(estimate, converged);
    out.currentX = integrator.currentX();
    if (e) {
        out.error = integrator.trapped(e);
        out.message = integralFailureMessage(out.error);
        return out;
    }
    integrator.settle();
    out.value = estimate;
    out.valid = converged;
    out.estimates = std::move(integrator.m_estimates);
    out.absEstimates = std::move(integrator.m_absEstimates);
    out.panelWidth = integrator.m_panelWidth;
    out.panels = integrator.m_panels;
    out.label = converged ? common::numberText(estimate) : "No convergence";
    return out;
}

}  // namespace tessaly::numeric
