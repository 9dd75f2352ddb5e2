#include "engine/wholepower.h"

#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>

namespace tessaly::engine {
namespace {

#if defined(__x86_64__) || defined(__i386__)
#define TESSALY_FMA_TARGET [[gnu::target("fma")]]
bool hasFusedMultiplyAdd()
{
    __builtin_cpu_init();  // (static initialization may come before the run-time library's own)
    return __builtin_cpu_supports("fma");
}
#else
#define TESSALY_FMA_TARGET
bool hasFusedMultiplyAdd() { return false; }
#endif

// How far inside its rounding interval the exact power must lie, in units of the
// spacing of doubles there, for std::pow to round it to the same double: any
// exact value within 1 - E of a double rounds to that double when pow's error
// is below E (every other double lies more than E away). The C library's pow
// (glibc 2.28 and later) documents its error as that of its exp, at most 0.511
// ULP, plus its logarithm's relative error, at most 1.5 * 2^-68, times
// |y ln x| * 2^53: in all below 0.54 ULP, and below 0.513 ULP for a power
// between 2^-64 and 2^64 (|y ln x| <= 64 ln 2). kInside and kInsideNear leave
// 0.01 and 0.002 of room for the compensated arithmetic's own error (below
// 2^-90 of the power). Closer to the middle between two doubles, pow's rounding
// is not known beforehand (measured on 20 million random whole powers: pow
// differs from the correctly rounded power in 0.09% of them, every one within
// 0.01 ULP of the middle), so pow is called.
constexpr double kInside = 0.45;
constexpr double kInsideNear = 0.485;

// The nearest double to the exact power p + s when it lies far enough inside
// that double's rounding interval.
TESSALY_FMA_TARGET inline bool accept(double p, double s, double& out)
{
    const double h = p + s;
    const double l = s - (h - p);  // h + l = p + s exactly (|s| is far below |p|)
    const double magnitude = std::fabs(h);
    if (!(magnitude >= 0x1p-1000 && magnitude <= 0x1p1000))
        return false;  // near the ends of the range (or 0, or not finite): leave it to std::pow
    const auto bits = std::bit_cast<std::uint64_t>(magnitude);
    double spacing = std::bit_cast<double>(bits & 0x7FF0000000000000ull) * 0x1p-52;
    if ((bits & 0x000FFFFFFFFFFFFFull) == 0)
        spacing *= 0.5;  // a power of two: the spacing below it is finer
    const double inside = magnitude >= 0x1p-64 && magnitude < 0x1p64 ? kInsideNear : kInside;
    if (!(std::fabs(l) < inside * spacing))
        return false;
    out = h;
    return true;
}

// x^m for 2 <= m <= 16 as p + s: p the power in doubles, s the sum of the
// rounding errors of its products, carried along (a compensated power). Square
// and multiply from the high bit down: (p + s)^2 = p^2 + 2ps + s^2, where the
// error of p^2 comes exact from the fused multiply-add and s^2 (below 2^-100
// of the power) is left out; (p + s) x = px + sx likewise. The sum p + s lies
// within 2^-90 of the power.
TESSALY_FMA_TARGET inline void positivePower(double x, int m, double& p, double& s)
{
    p = x * x;
    s = std::fma(x, x, -p);
    auto times = [&](double y) {
        const double q = p * y;
        s = std::fma(s, y, std::fma(p, y, -q));
        p = q;
    };
    int bit = 30 - __builtin_clz(static_cast<unsigned>(m));  // below the leading bit, after the first squaring
    if ((m >> bit) & 1)
        times(x);
    while (bit-- > 0) {
        const double q = p * p;
        s = std::fma(2 * p, s, std::fma(p, p, -q));
        p = q;
        if ((m >> bit) & 1)
            times(x);
    }
}

TESSALY_FMA_TARGET inline double fastPower(double x, int n)
{
    if (n == 0)
        return 1;  // std::pow(x, 0) is 1 for every x
    if (n == 1)
        return x;  // and std::pow(x, 1) is x: the exact power is a double
    const int m = n < 0 ? -n : n;
    double p = x, s = 0;
    if (m > 1)
        positivePower(x, m, p, s);
    if (n < 0) {
        // 1 / (p + s) = q (1 + e + ...), e = 1 - q (p + s), with the product q p
        // exact through the fused multiply-add; e^2 lies below 2^-100.
        const double q = 1 / p;
        const double e = std::fma(-q, p, 1.0) - q * s;
        p = q;
        s = q * e;
    }
    double r = 0;
    if (accept(p, s, r))
        return r;
    return std::pow(x, n);
}

TESSALY_FMA_TARGET double fastPowerOf(double x, int n) { return fastPower(x, n); }

TESSALY_FMA_TARGET void fastPowers(const double* x, std::size_t step, int n, double* out, std::size_t count)
{
    for (std::size_t i = 0; i < count; ++i)
        out[i] = fastPower(x[i * step], n);
}

const bool kFused = hasFusedMultiplyAdd();

}  // namespace

void wholePowers(const double* x, std::size_t step, int n, double* out, std::size_t count)
{
    if (kFused) {
        fastPowers(x, step, n, out, count);
        return;
    }
    for (std::size_t i = 0; i < count; ++i)
        out[i] = std::pow(x[i * step], n);
}

double wholePower(double x, int n)
{
    if (kFused)
        return fastPowerOf(x, n);
    return std::pow(x, n);
}

}  // namespace tessaly::engine
