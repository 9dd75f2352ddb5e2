#include "engine/class1.h"

#include <algorithm>
#include <cmath>

#include "engine/arithmetic.h"
#include "engine/steps.h"

namespace tessaly::engine {
namespace {

// Comparisons inside the formulas are truth values: -1 when true, 0 when false.
double is(bool b) { return num::truth(b); }

}  // namespace

double Class1::fail(std::int32_t number)
{
    ierr = number;
    for (auto* field : m_errorFields)
        *field = number;
    return 0;
}

void Class1::attachErrorField(std::int32_t* field)
{
    if (std::find(m_errorFields.begin(), m_errorFields.end(), field) == m_errorFields.end())
        m_errorFields.push_back(field);
}

void Class1::detachErrorField(std::int32_t* field)
{
    m_errorFields.erase(std::remove(m_errorFields.begin(), m_errorFields.end(), field), m_errorFields.end());
}

// Atn(v / Sqr(1 + A*v*v)) * (-A) - ((v = 1) - (v = -1)) * halfpi, A = (|v| <> 1)
double Class1::Asin(double& v)
{
    Steps s;
    const double a = is(std::fabs(v) != 1);
    double t = s.mul(s.mul(a, v), v);
    t = s.atn(s.div(v, s.sqr(s.add(1, t))));
    t = s.mul(t, -a);
    const double ends = s.mul(is(v == 1) - is(v == -1), halfpi);
    t = s.sub(t, ends);
    return s.error() ? fail(s.error()) : t;
}

// A * Atn(v / Sqr(1 + A*v*v)) + ((v = 1) - (v = -1)) * halfpi + halfpi
double Class1::Acos(double& v)
{
    Steps s;
    const double a = is(std::fabs(v) != 1);
    double t = s.mul(s.mul(a, v), v);
    t = s.atn(s.div(v, s.sqr(s.add(1, t))));
    t = s.mul(a, t);
    const double ends = s.mul(is(v == 1) - is(v == -1), halfpi);
    t = s.add(s.add(t, ends), halfpi);
    return s.error() ? fail(s.error()) : t;
}

// (Exp(v) - Exp(-v)) * 0.5
double Class1::Sinh(double& v)
{
    Steps s;
    const double up = s.exp(v);
    const double down = s.exp(-v);
    const double t = s.mul(s.sub(up, down), 0.5);
    return s.error() ? fail(s.error()) : t;
}

// (Exp(v) + Exp(-v)) * 0.5
double Class1::Cosh(double& v)
{
    Steps s;
    const double up = s.exp(v);
    const double down = s.exp(-v);
    const double t = s.mul(s.add(up, down), 0.5);
    return s.error() ? fail(s.error()) : t;
}

// 1 + (-2 * Exp(-v)) / (Exp(-v) + Exp(v)); Exp(-v) is computed once (the same
// value both times: Exp is exact to the bit for the same argument).
double Class1::Tanh(double& v)
{
    Steps s;
    const double down = s.exp(-v);
    const double numerator = s.mul(-2, down);
    const double up = s.exp(v);
    const double t = s.add(1, s.div(numerator, s.add(down, up)));
    return s.error() ? fail(s.error()) : t;
}

// Log(v + Sqr(v*v + 1)) for v >= 0. For v < 0 that sum cancels (to Log(0) near
// -1E8), so the odd symmetry -Asinh(-v) is used there instead.
double Class1::Asinh(double& v)
{
    const bool negative = v < 0;
    const double w = negative ? -v : v;
    Steps s;
    const double t = s.log(s.add(w, s.sqr(s.add(s.mul(w, w), 1))));
    if (s.error())
        return fail(s.error());
    return negative ? -t : t;
}

// Log(v + Sqr(v*v - 1))
double Class1::Acosh(double& v)
{
    Steps s;
    const double t = s.log(s.add(v, s.sqr(s.sub(s.mul(v, v), 1))));
    return s.error() ? fail(s.error()) : t;
}

// Log((1 + v) / (1 - v)) * 0.5
double Class1::Atanh(double& v)
{
    Steps s;
    const double above = s.add(1, v);
    const double below = s.sub(1, v);
    const double t = s.mul(s.log(s.div(above, below)), 0.5);
    return s.error() ? fail(s.error()) : t;
}

}  // namespace tessaly::engine
