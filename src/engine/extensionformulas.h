#pragma once

// The formulas of the extension object's functions, each written once over an
// arithmetic A that runs its steps in the order written:
//  - Steps: the language's arithmetic, the first failing step kept (the
//    object's own functions, which store that failure in ierr);
//  - Unchecked: plain doubles, with one flag telling whether every step gave a
//    finite value. Where it did, no step failed and the value is the one Steps
//    gives, bit for bit (the same operations in the same order); the numeric
//    evaluator takes that value and calls the object's function only otherwise.

#include <bit>
#include <cmath>
#include <cstdint>

#include "engine/arithmetic.h"

namespace tessaly::engine {

// A word with its top bit set when v is not finite (its exponent all ones:
// adding one to the exponent carries into the sign's place), 0 otherwise. In
// whole-number arithmetic, so a loop that marks its lanes with it vectorizes
// (a comparison's truth value turned into a word does not).
inline std::uint64_t nonFinite(double v)
{
    constexpr std::uint64_t kExponent = 0x7FF0000000000000ull;
    constexpr std::uint64_t kExponentOne = 0x0010000000000000ull;
    constexpr std::uint64_t kTop = 0x8000000000000000ull;
    return ((std::bit_cast<std::uint64_t>(v) & kExponent) + kExponentOne) & kTop;
}

// Plain arithmetic for the formulas below: every value of a step that fails in
// the language's arithmetic is not finite (x/0 and 0/0, Log of 0 or less, Sqr of
// a negative, Exp or a product beyond range), so one test of each value tells
// whether any step failed. The steps' marks are or-ed together.
class Unchecked {
public:
    double add(double a, double b) { return note(a + b); }
    double sub(double a, double b) { return note(a - b); }
    double mul(double a, double b) { return note(a * b); }
    double div(double a, double b) { return note(a / b); }
    double exp(double a) { return note(std::exp(a)); }
    double log(double a) { return note(std::log(a)); }
    double sqr(double a) { return note(std::sqrt(a)); }
    double atn(double a) { return std::atan(a); }
    bool ok() const { return m_marks == 0; }

private:
    double note(double r)
    {
        m_marks |= nonFinite(r);
        return r;
    }
    std::uint64_t m_marks = 0;
};

namespace formula {

// Comparisons inside the formulas are truth values: -1 when true, 0 when false.
inline double is(bool b) { return num::truth(b); }

// Atn(v / Sqr(1 + A*v*v)) * (-A) - ((v = 1) - (v = -1)) * halfpi, A = (|v| <> 1)
template <typename A>
double asin(A& s, double v, double halfpi)
{
    const double a = is(std::fabs(v) != 1);
    double t = s.mul(s.mul(a, v), v);
    t = s.atn(s.div(v, s.sqr(s.add(1, t))));
    t = s.mul(t, -a);
    const double ends = s.mul(is(v == 1) - is(v == -1), halfpi);
    return s.sub(t, ends);
}

// A * Atn(v / Sqr(1 + A*v*v)) + ((v = 1) - (v = -1)) * halfpi + halfpi
template <typename A>
double acos(A& s, double v, double halfpi)
{
    const double a = is(std::fabs(v) != 1);
    double t = s.mul(s.mul(a, v), v);
    t = s.atn(s.div(v, s.sqr(s.add(1, t))));
    t = s.mul(a, t);
    const double ends = s.mul(is(v == 1) - is(v == -1), halfpi);
    return s.add(s.add(t, ends), halfpi);
}

// (Exp(v) - Exp(-v)) * 0.5
template <typename A>
double sinh(A& s, double v)
{
    const double up = s.exp(v);
    const double down = s.exp(-v);
    return s.mul(s.sub(up, down), 0.5);
}

// (Exp(v) + Exp(-v)) * 0.5
template <typename A>
double cosh(A& s, double v)
{
    const double up = s.exp(v);
    const double down = s.exp(-v);
    return s.mul(s.add(up, down), 0.5);
}

// 1 + (-2 * Exp(-v)) / (Exp(-v) + Exp(v)); Exp(-v) is computed once (the same
// value both times: Exp is exact to the bit for the same argument).
template <typename A>
double tanh(A& s, double v)
{
    const double down = s.exp(-v);
    const double numerator = s.mul(-2, down);
    const double up = s.exp(v);
    return s.add(1, s.div(numerator, s.add(down, up)));
}

// Log(v + Sqr(v*v + 1)) for v >= 0. For v < 0 that sum cancels (to Log(0) near
// -1E8), so the odd symmetry -Asinh(-v) is used there instead.
template <typename A>
double asinh(A& s, double v)
{
    const bool negative = v < 0;
    const double w = negative ? -v : v;
    const double t = s.log(s.add(w, s.sqr(s.add(s.mul(w, w), 1))));
    return negative ? -t : t;
}

// Log(v + Sqr(v*v - 1))
template <typename A>
double acosh(A& s, double v)
{
    return s.log(s.add(v, s.sqr(s.sub(s.mul(v, v), 1))));
}

// Log((1 + v) / (1 - v)) * 0.5
template <typename A>
double atanh(A& s, double v)
{
    const double above = s.add(1, v);
    const double below = s.sub(1, v);
    return s.mul(s.log(s.div(above, below)), 0.5);
}

}  // namespace formula
}  // namespace tessaly::engine
