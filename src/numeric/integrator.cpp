#include "numeric/integrator.h"

#include <cmath>

#include "common/numbertext.h"
#include "engine/arithmetic.h"
#include "engine/errors.h"

namespace tessaly::numeric {
namespace {

namespace num = engine::num;

// The computation, with every step's failure passed on as a number.
class Integrator {
public:
    Integrator(StudyFunction& f, const StudyInputs& in) : m_f(f), m_in(in) {}

    std::int32_t run(double& estimate, bool& converged)
    {
        const double a = m_in.lower;
        std::int32_t n = 2;
        double H = 0, span = 0, ends = 0, fa = 0, fb = 0, t = 0, u = 0;
        // Start: n = 2, H = (b - a) / 2, Ends = f(b) + f(a), f(b) first.
        if (const auto e = num::sub(m_in.upper, a, span))
            return e;
        if (const auto e = num::div(span, 2, H))
            return e;
        if (const auto e = value(m_in.upper, fb))
            return e;
        if (const auto e = value(a, fa))
            return e;
        if (const auto e = num::add(fb, fa, ends))
            return e;
        // S = (4 f(a + H) + Ends) (H / 3)
        double x = 0, fm = 0, S = 0;
        if (const auto e = num::add(a, H, x))
            return e;
        if (const auto e = value(x, fm))
            return e;
        if (const auto e = num::mul(4, fm, t))
            return e;
        if (const auto e = num::add(t, ends, t))
            return e;
        if (const auto e = num::div(H, 3, u))
            return e;
        if (const auto e = num::mul(t, u, S))
            return e;
        // Even = 0; Odd = f(a + H)
        double even = 0, odd = 0, mid = 0;
        if (const auto e = value(x, odd))
            return e;
        // Mid = f(H 3 / 2 + a) + f(H / 2 + a), the first evaluated first.
        double x1 = 0, x2 = 0, f1 = 0, f2 = 0;
        if (const auto e = threeHalves(H, a, x1))
            return e;
        if (const auto e = value(x1, f1))
            return e;
        if (const auto e = num::div(H, 2, x2))
            return e;
        if (const auto e = num::add(x2, a, x2))
            return e;
        if (const auto e = value(x2, f2))
            return e;
        if (const auto e = num::add(f1, f2, mid))
            return e;
        // B = (12 Odd + 7 Ends + 32 Mid) H / 45
        double B = 0;
        if (const auto e = booleSum(odd, ends, mid, B))
            return e;
        if (const auto e = num::mul(B, H, B))
            return e;
        if (const auto e = num::div(B, 45, B))
            return e;

        for (std::int32_t i = 0;;) {
            bool met = false;
            if (const auto e = test(B, S, n, met))
                return e;
            if (met || i >= m_in.maxIterations)
                break;
            if (n > INT32_MAX / 2)
                return engine::err::Overflow;  // the panel count
            n = 2 * n;
            if (const auto e = num::mul(0.5, H, H))
                return e;
            ++i;
            if (const auto e = num::add(odd, even, even))
                return e;
            odd = mid;
            S = B;
            // B = 12 Odd + 7 Ends + 14 Even, a partial sum
            double twelve = 0, seven = 0, fourteen = 0;
            if (const auto e = num::mul(12, odd, twelve))
                return e;
            if (const auto e = num::mul(7, ends, seven))
                return e;
            if (const auto e = num::add(twelve, seven, B))
                return e;
            if (const auto e = num::mul(14, even, fourteen))
                return e;
            if (const auto e = num::add(B, fourteen, B))
                return e;
            // The midpoints: x = 0.5 H + a, then n - 1 times x = x + H.
            if (const auto e = num::mul(0.5, H, x))
                return e;
            if (const auto e = num::add(x, a, x))
                return e;
            if (const auto e = value(x, mid))
                return e;
            for (std::int32_t k = 1; k < n; ++k) {
                double fx = 0;
                if (const auto e = num::add(x, H, x))
                    return e;
                if (const auto e = value(x, fx))
                    return e;
                if (const auto e = num::add(mid, fx, mid))
                    return e;
            }
            // B = (32 Mid + B) H / 45
            double thirtyTwo = 0;
            if (const auto e = num::mul(32, mid, thirtyTwo))
                return e;
            if (const auto e = num::add(thirtyTwo, B, B))
                return e;
            if (const auto e = num::mul(B, H, B))
                return e;
            if (const auto e = num::div(B, 45, B))
                return e;
        }
        estimate = B;
        return test(B, S, n, converged);
    }

    double currentX() const { return m_currentX; }

private:
    std::int32_t value(double x, double& out)
    {
        m_currentX = x;
        const auto v = m_f.at(x);
        out = v.value;
        return v.error;
    }

    // |B - S| <= E and n >= N
    std::int32_t test(double B, double S, std::int32_t n, bool& met) const
    {
        double d = 0;
        if (const auto e = num::sub(B, S, d))
            return e;
        met = std::fabs(d) <= m_in.errorBound && n >= m_in.subintervals;
        return 0;
    }

    // H 3 / 2 + a
    static std::int32_t threeHalves(double H, double a, double& x)
    {
        if (const auto e = num::mul(H, 3, x))
            return e;
        if (const auto e = num::div(x, 2, x))
            return e;
        return num::add(x, a, x);
    }

    // 12 Odd + 7 Ends + 32 Mid
    static std::int32_t booleSum(double odd, double ends, double mid, double& out)
    {
        double t = 0, u = 0;
        if (const auto e = num::mul(12, odd, t))
            return e;
        if (const auto e = num::mul(7, ends, u))
            return e;
        if (const auto e = num::add(t, u, t))
            return e;
        if (const auto e = num::mul(32, mid, u))
            return e;
        return num::add(t, u, out);
    }

    StudyFunction& m_f;
    const StudyInputs& m_in;
    double m_currentX = 0;
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

IntegralOutcome integrate(StudyFunction& f, const StudyInputs& in)
{
    IntegralOutcome out;
    Integrator integrator(f, in);
    double estimate = 0;
    bool converged = false;
    const std::int32_t e = integrator.run(estimate, converged);
    out.currentX = integrator.currentX();
    if (e) {
        out.error = f.trapped(e);
        out.message = integralFailureMessage(out.error);
        return out;
    }
    out.value = estimate;
    out.valid = converged;
    out.label = converged ? common::numberText(estimate) : "No convergence";
    return out;
}

}  // namespace tessaly::numeric
