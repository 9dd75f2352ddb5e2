#include "numeric/derivatives.h"

#include <cmath>

#include "common/numbertext.h"
#include "engine/arithmetic.h"
#include "engine/errors.h"
#include "numeric/studysteps.h"

namespace tessaly::numeric {
namespace {

// The order-n central difference C * sum over k of (-1)^k f(x + (n - 2k) h) / (n - k)! / k!,
// the abscissae from x + n h down to x - n h.
double higherDerivative(StudySteps& s, const DerivativeSteps& d, const Factorials& factorials, double x,
                        double& magnitude)
{
    const std::int32_t n = d.order;
    double sum = 0;
    magnitude = 0;
    for (std::int32_t k = 0; k <= n && !s.failed(); ++k) {
        const double fx = s.f(x, s.mul(d.h, static_cast<double>((n - k) - k)));
        const double sign = k % 2 == 0 ? 1.0 : -1.0;  // (-1)^k
        const double term = s.div(s.div(s.mul(sign, fx), factorials[static_cast<std::size_t>(n - k)]),
                                  factorials[static_cast<std::size_t>(k)]);
        sum = s.add(sum, term);
        magnitude += std::fabs(term);
    }
    magnitude *= std::fabs(d.C);
    return s.mul(d.C, sum);
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

namespace {

// h = 10^(-5/n), e = 2h and C = n! / e^n for an order above 2; 9 (Subscript
// out of range) above 33.
std::int32_t prepareHigherSteps(std::int32_t order, const Factorials& factorials, DerivativeSteps& d)
{
    if (order >= static_cast<std::int32_t>(factorials.size()))
        return engine::err::SubscriptOutOfRange;
    d.h = std::pow(0.00001, 1.0 / order);
    d.e = 2 * d.h;
    return engine::num::div(factorials[static_cast<std::size_t>(order)], std::pow(d.e, order), d.C);
}

}  // namespace

std::int32_t prepareDerivativeSteps(std::int32_t order, const Factorials& factorials, DerivativeSteps& d)
{
    d.order = order;
    d.d = 0.0045;
    d.e = 0.009;
    d.e2 = 0.009 * 0.009;
    return order > 2 ? prepareHigherSteps(order, factorials, d) : 0;
}

engine::FunctionValue derivativeAt(StudyFunction& f, const DerivativeSteps& d, const Factorials& factorials, double x,
                                   double* magnitude)
{
    StudySteps s(f);
    double result = 0;
    double terms = 0;
    switch (d.order) {
    case 0: {
        const auto v = f.at(x);
        if (magnitude)
            *magnitude = std::fabs(v.value);
        return v;
    }
    case 1: {
        // (f(x + d) - f(x - d)) / e, f(x - d) first
        const double left = s.f(x, -d.d);
        const double right = s.f(x, d.d);
        result = s.div(s.sub(right, left), d.e);
        terms = (std::fabs(right) + std::fabs(left)) / d.e;
        break;
    }
    case 2: {
        // ((f(x + e) - 2 f(x)) + f(x - e)) / e², evaluated f(x), f(x - e), f(x + e)
        const double centre = s.f(x, 0);
        const double left = s.f(x, -d.e);
        const double right = s.f(x, d.e);
        result = s.div(s.add(s.sub(right, s.mul(2, centre)), left), d.e2);
        terms = (std::fabs(right) + 2 * std::fabs(centre) + std::fabs(left)) / d.e2;
        break;
    }
    default:
        if (d.order >= static_cast<std::int32_t>(factorials.size()))
            return {0, engine::err::SubscriptOutOfRange};
        result = higherDerivative(s, d, factorials, x, terms);
        break;
    }
    if (magnitude)
        *magnitude = terms;
    if (s.failed())
        return {0, s.error()};
    if (!std::isfinite(result))
        return {0, engine::err::Overflow};
    return {result, 0};
}

ValueOutcome valueAt(StudyFunction& f, std::int32_t order, double x, const Factorials& factorials,
                     const DerivativeSteps& previous)
{
    ValueOutcome out;
    out.currentX = x;
    out.steps = previous;
    DerivativeSteps& d = out.steps;
    d.order = order;
    d.d = 0.0045;
    d.e = 0.009;
    auto failed = [&](std::int32_t e) {
        out.error = f.trapped(e);
        return out;
    };
    // An order below 0 has no derivative (the sum of its formula would be empty
    // and show 0): refused like an order beyond the factorials' table.
    if (order < 0)
        return failed(engine::err::SubscriptOutOfRange);
    // Above order 2 the steps are prepared for the order; e² is not touched.
    if (order > 2)
        if (const auto e = prepareHigherSteps(order, factorials, d))
            return failed(e);

    double result = 0;
    if (order == 1 || order == 2) {
        StudySteps s(f);
        const double step = d.d, twice = 2 * d.d;
        if (order == 1) {
            // ((f(x-2d) - 8 f(x-d) + 8 f(x+d) - f(x+2d)) / 12) / d, evaluated f(x-d), f(x+d), f(x+2d), f(x-2d)
            const double fm1 = s.f(x, -step);
            const double f1 = s.f(x, step);
            const double f2 = s.f(x, twice);
            const double fm2 = s.f(x, -twice);
            const double t = s.add(s.sub(fm2, s.mul(8, fm1)), s.mul(8, f1));
            result = s.div(s.div(s.sub(t, f2), 12), step);
            out.magnitude = (std::fabs(fm2) + 8 * std::fabs(fm1) + 8 * std::fabs(f1) + std::fabs(f2)) / 12 / step;
        } else {
            // (((-f(x-2d) + 16 f(x-d) - 30 f(x) + 16 f(x+d) - f(x+2d)) / d) / d) / 12,
            // evaluated f(x-d), f(x), f(x+d), f(x+2d), f(x-2d)
            const double fm1 = s.f(x, -step);
            const double f0 = s.f(x, 0);
            const double f1 = s.f(x, step);
            const double f2 = s.f(x, twice);
            const double fm2 = s.f(x, -twice);
            const double t = s.add(s.sub(s.add(-fm2, s.mul(16, fm1)), s.mul(30, f0)), s.mul(16, f1));
            result = s.div(s.div(s.div(s.sub(t, f2), step), step), 12);
            out.magnitude =
                (std::fabs(fm2) + 16 * std::fabs(fm1) + 30 * std::fabs(f0) + 16 * std::fabs(f1) + std::fabs(f2)) / step
                / step / 12;
        }
        if (s.failed())
            return failed(s.error());
    } else {
        const auto v = derivativeAt(f, d, factorials, x, &out.magnitude);
        if (v.error)
            return failed(v.error);
        result = v.value;
    }
    if (!std::isfinite(result))
        return failed(engine::err::Overflow);
    out.value = result;
    out.label = common::numberText(result);
    return out;
}

}  // namespace tessaly::numeric
