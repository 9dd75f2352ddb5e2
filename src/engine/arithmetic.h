#pragma once

// The arithmetic of the language on doubles. Each operation writes its result and
// returns 0, or returns the error number and leaves the result undefined. The
// engine, its constant folding and the extension object all compute through these,
// so a value is the same whichever of them produced it.

#include <cmath>
#include <cstdint>

#include "common/rounding.h"
#include "engine/errors.h"
#include "engine/wholepower.h"

namespace tessaly::engine::num {

// clang-format off

inline std::int32_t finite(double r) { return std::isfinite(r) ? 0 : err::Overflow; }

inline std::int32_t add(double a, double b, double& r) { r = a + b; return finite(r); }
inline std::int32_t sub(double a, double b, double& r) { r = a - b; return finite(r); }
inline std::int32_t mul(double a, double b, double& r) { r = a * b; return finite(r); }

// x/0 is 11 for x != 0, and 0/0 is 6.
inline std::int32_t div(double a, double b, double& r)
{
    if (b == 0)
        return a == 0 ? err::Overflow : err::DivisionByZero;
    r = a / b;
    return finite(r);
}

// 0 to a negative power is 11; a negative base with a non-whole exponent is 5;
// a result beyond the double range is 6.
inline std::int32_t pow(double a, double b, double& r)
{
    if (a == 0 && b < 0)
        return err::DivisionByZero;
    r = power(a, b);
    if (std::isnan(r))
        return err::InvalidCall;
    return finite(r);
}

// Operands of \, Mod and the bitwise operators: rounded half to even to 32 bits.
inline std::int32_t toLong(double a, std::int32_t& r)
{
    const auto v = common::toInt32HalfEven(a);
    if (!v)
        return err::Overflow;
    r = *v;
    return 0;
}

// Both operands of \, Mod or a bitwise operator, left first.
inline std::int32_t toLongs(double a, double b, std::int32_t& x, std::int32_t& y)
{
    if (const auto e = toLong(a, x))
        return e;
    return toLong(b, y);
}

inline std::int32_t intDiv(double a, double b, double& r)
{
    std::int32_t x = 0, y = 0;
    if (const auto e = toLongs(a, b, x, y))
        return e;
    if (y == 0)
        return err::DivisionByZero;
    const std::int64_t q = static_cast<std::int64_t>(x) / y;
    if (q > INT32_MAX)
        return err::Overflow;
    r = static_cast<double>(q);
    return 0;
}

inline std::int32_t mod(double a, double b, double& r)
{
    std::int32_t x = 0, y = 0;
    if (const auto e = toLongs(a, b, x, y))
        return e;
    if (y == 0)
        return err::DivisionByZero;
    r = static_cast<double>(static_cast<std::int64_t>(x) % y);
    return 0;
}

enum class Bitwise { And, Or, Xor, Eqv, Imp };

inline std::int32_t bitwise(Bitwise op, double a, double b, double& r)
{
    std::int32_t x = 0, y = 0;
    if (const auto e = toLongs(a, b, x, y))
        return e;
    std::int32_t v = 0;
    switch (op) {
    case Bitwise::And: v = x & y; break;
    case Bitwise::Or: v = x | y; break;
    case Bitwise::Xor: v = x ^ y; break;
    case Bitwise::Eqv: v = ~(x ^ y); break;
    case Bitwise::Imp: v = ~x | y; break;
    }
    r = v;
    return 0;
}

inline std::int32_t bitNot(double a, double& r)
{
    std::int32_t x = 0;
    if (const auto e = toLong(a, x))
        return e;
    r = ~x;
    return 0;
}

inline double truth(bool b) { return b ? -1.0 : 0.0; }

// The built-in functions of one argument.
inline std::int32_t fnSin(double a, double& r) { r = std::sin(a); return 0; }
inline std::int32_t fnCos(double a, double& r) { r = std::cos(a); return 0; }
inline std::int32_t fnTan(double a, double& r) { r = std::tan(a); return finite(r); }
inline std::int32_t fnAtn(double a, double& r) { r = std::atan(a); return 0; }
inline std::int32_t fnExp(double a, double& r) { r = std::exp(a); return finite(r); }
inline std::int32_t fnLog(double a, double& r)
{
    if (!(a > 0))
        return err::InvalidCall;
    r = std::log(a);
    return 0;
}
inline std::int32_t fnSqr(double a, double& r)
{
    if (a < 0)
        return err::InvalidCall;
    r = std::sqrt(a);
    return 0;
}
inline std::int32_t fnAbs(double a, double& r) { r = std::fabs(a); return 0; }
inline std::int32_t fnInt(double a, double& r) { r = std::floor(a); return 0; }
inline std::int32_t fnFix(double a, double& r) { r = std::trunc(a); return 0; }
inline std::int32_t fnSgn(double a, double& r) { r = a > 0 ? 1.0 : a < 0 ? -1.0 : 0.0; return 0; }
inline std::int32_t fnCDbl(double a, double& r) { r = a; return 0; }
inline std::int32_t fnCInt(double a, double& r)
{
    const auto v = common::toInt16HalfEven(a);
    if (!v)
        return err::Overflow;
    r = *v;
    return 0;
}
inline std::int32_t fnCLng(double a, double& r)
{
    std::int32_t v = 0;
    if (const auto e = toLong(a, v))
        return e;
    r = v;
    return 0;
}
inline std::int32_t fnRound(double a, double& r) { r = common::roundHalfEven(a); return 0; }

// Round(v, places): half to even at the given number of decimal places (0..22);
// a negative count is 5.
inline std::int32_t fnRound2(double a, double places, double& r)
{
    std::int32_t p = 0;
    if (const auto e = toLong(places, p))
        return e;
    if (p < 0)
        return err::InvalidCall;
    if (p == 0 || std::fabs(a) >= 4503599627370496.0 /* 2^52: already whole */) {
        r = common::roundHalfEven(a);
        return 0;
    }
    if (p > 22)
        p = 22;
    const double factor = std::pow(10.0, p);
    const double scaled = a * factor;
    if (!std::isfinite(scaled)) {
        r = a;
        return 0;
    }
    r = common::roundHalfEven(scaled) / factor;
    return 0;
}

using UnaryFn = std::int32_t (*)(double, double&);

// clang-format on

}  // namespace tessaly::engine::num
