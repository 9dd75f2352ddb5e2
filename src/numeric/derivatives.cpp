#include "numeric/derivatives.h"

#include <cmath>

#include "common/numbertext.h"
#include "engine/arithmetic.h"
#include "engine/errors.h"

namespace tessaly::numeric {
namespace {

namespace num = engine::num;

// f at x + offset (the abscissa computed first), or the error number.
std::int32_t at(StudyFunction& f, double x, double offset, double& out)
{
    double abscissa = 0;
    if (const auto e = num::add(x, offset, abscissa))
        return e;
    const auto v = f.at(abscissa);
    out = v.value;
    return v.error;
}

std::int32_t higherDerivative(StudyFunction& f, const DerivativeSteps& s, const Factorials& factorials, double x,
                              double& out)
{
    const std::int32_t n = s.order;
    double sum = 0;
    for (std::int32_t k = 0; k <= n; ++k) {
        double offset = 0, fx = 0, term = 0;
        if (const auto e = num::mul(s.h, static_cast<double>((n - k) - k), offset))
            return e;
        if (const auto e = at(f, x, offset, fx))
            return e;
        const double sign = k % 2 == 0 ? 1.0 : -1.0;  // (-1)^k
        if (const auto e = num::mul(sign, fx, term))
            return e;
        if (const auto e = num::div(term, factorials[static_cast<std::size_t>(n - k)], term))
            return e;
        if (const auto e = num::div(term, factorials[static_cast<std::size_t>(k)], term))
            return e;
        if (const auto e = num::add(sum, term, sum))
            return e;
    }
    return num::mul(s.C, sum, out);
}

}  // namespace

Factorials factorialTable()
{
    Factorials f{};
    f[0] = 1;
    for (std::size_t k = 1; k < f.size(); ++k)
        f[k] = static_cast<double>(k) * f[k - 1];
    return f;
}

std::int32_t prepareDerivativeSteps(std::int32_t order, const Factorials& factorials, DerivativeSteps& steps)
{
    steps.order = order;
    steps.d = 0.0045;
    steps.e = 0.009;
    steps.e2 = 0.009 * 0.009;
    if (order <= 2)
        return 0;
    if (order >= static_cast<std::int32_t>(factorials.size()))
        return engine::err::SubscriptOutOfRange;
    steps.h = std::pow(0.00001, 1.0 / order);
    steps.e = 2 * steps.h;
    return num::div(factorials[static_cast<std::size_t>(order)], std::pow(steps.e, order), steps.C);
}

engine::FunctionValue derivativeAt(StudyFunction& f, const DerivativeSteps& s, const Factorials& factorials, double x)
{
    double result = 0;
    std::int32_t error = 0;
    switch (s.order) {
    case 0: return f.at(x);
    case 1: {
        // (f(x + d) - f(x - d)) / e, f(x - d) first
        double left = 0, right = 0, difference = 0;
        if ((error = at(f, x, -s.d, left)) || (error = at(f, x, s.d, right)) ||
            (error = num::sub(right, left, difference)) || (error = num::div(difference, s.e, result)))
            return {0, error};
        break;
    }
    case 2: {
        // ((f(x + e) - 2 f(x)) + f(x - e)) / e², evaluated f(x), f(x - e), f(x + e)
        double centre = 0, left = 0, right = 0, twice = 0, t = 0;
        if ((error = at(f, x, 0, centre)) || (error = at(f, x, -s.e, left)) || (error = at(f, x, s.e, right)) ||
            (error = num::mul(2, centre, twice)) || (error = num::sub(right, twice, t)) ||
            (error = num::add(t, left, t)) || (error = num::div(t, s.e2, result)))
            return {0, error};
        break;
    }
    default:
        if (s.order >= static_cast<std::int32_t>(factorials.size()))
            return {0, engine::err::SubscriptOutOfRange};
        if ((error = higherDerivative(f, s, factorials, x, result)))
            return {0, error};
        break;
    }
    if (!std::isfinite(result))
        return {0, engine::err::Overflow};
    return {result, 0};
}

ValueOutcome valueAt(StudyFunction& f, std::int32_t order, double x, const Factorials& factorials,
                     const DerivativeSteps& previous)
{
    ValueOutcome out;
    out.order = order;
    out.currentX = x;
    out.steps = previous;
    DerivativeSteps& s = out.steps;
    s.order = order;
    s.d = 0.0045;
    s.e = 0.009;
    auto failed = [&](std::int32_t e) {
        out.error = f.trapped(e);
        return out;
    };
    if (order > 2) {
        const double e2 = s.e2;  // not touched here
        if (const auto e = prepareDerivativeSteps(order, factorials, s))
            return failed(e);
        s.e2 = e2;
    }

    double result = 0;
    if (order == 1 || order == 2) {
        const double d = s.d, twoD = 2 * s.d;
        double fm1 = 0, fm2 = 0, f0 = 0, f1 = 0, f2 = 0, t = 0, u = 0;
        if (order == 1) {
            // ((f(x-2d) - 8 f(x-d) + 8 f(x+d) - f(x+2d)) / 12) / d, evaluated f(x-d), f(x+d), f(x+2d), f(x-2d)
            std::int32_t e = 0;
            if ((e = at(f, x, -d, fm1)) || (e = at(f, x, d, f1)) || (e = at(f, x, twoD, f2)) ||
                (e = at(f, x, -twoD, fm2)) || (e = num::mul(8, fm1, t)) || (e = num::sub(fm2, t, t)) ||
                (e = num::mul(8, f1, u)) || (e = num::add(t, u, t)) || (e = num::sub(t, f2, t)) ||
                (e = num::div(t, 12, t)) || (e = num::div(t, d, result)))
                return failed(e);
        } else {
            // (((-f(x-2d) + 16 f(x-d) - 30 f(x) + 16 f(x+d) - f(x+2d)) / d) / d) / 12,
            // evaluated f(x-d), f(x), f(x+d), f(x+2d), f(x-2d)
            std::int32_t e = 0;
            if ((e = at(f, x, -d, fm1)) || (e = at(f, x, 0, f0)) || (e = at(f, x, d, f1)) || (e = at(f, x, twoD, f2)) ||
                (e = at(f, x, -twoD, fm2)) || (e = num::mul(16, fm1, u)) || (e = num::add(-fm2, u, t)) ||
                (e = num::mul(30, f0, u)) || (e = num::sub(t, u, t)) || (e = num::mul(16, f1, u)) ||
                (e = num::add(t, u, t)) || (e = num::sub(t, f2, t)) || (e = num::div(t, d, t)) ||
                (e = num::div(t, d, t)) || (e = num::div(t, 12, result)))
                return failed(e);
        }
    } else {
        const auto v = derivativeAt(f, s, factorials, x);
        if (v.error)
            return failed(v.error);
        result = v.value;
    }
    if (!std::isfinite(result))
        return failed(engine::err::Overflow);
    out.label = common::numberText(result);
    return out;
}

}  // namespace tessaly::numeric
