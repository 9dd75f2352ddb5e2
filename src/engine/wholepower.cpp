#include "engine/wholepower.h"

#include <bit>
#include <cmath>
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
// spacing of doubles there, for std::pow to round it to the same double. The
// C library documents an error below 0.54 ULP for its pow, so any exact value
// within 0.46 ULP of a double rounds to that double (every other double lies
// more than 0.54 ULP away); 0.45 leaves room for the double-double arithmetic's
// own error (below 2^-90 of the power). Closer to the middle between two
// doubles, pow's rounding is not known beforehand (measured: it differs from
// the correctly rounded power in about 1 case in 1,000 there), so pow is called.
constexpr double kInside = 0.45;

// (h, l) *= (bh, bl), keeping h the nearest double to h + l.
TESSALY_FMA_TARGET inline void multiply(double& h, double& l, double bh, double bl)
{
    const double p = h * bh;
    const double e = std::fma(h, bh, -p) + (h * bl + l * bh);
    h = p + e;
    l = e - (h - p);
}

// The nearest double to the exact power h + l when it lies within kInside of
// the spacing of doubles around h.
TESSALY_FMA_TARGET inline bool accept(double h, double l, double& out)
{
    const double magnitude = std::fabs(h);
    if (!(magnitude >= 0x1p-1000 && magnitude <= 0x1p1000))
        return false;  // near the ends of the range (or 0, or not finite): leave it to std::pow
    const auto bits = std::bit_cast<std::uint64_t>(magnitude);
    double spacing = std::bit_cast<double>(bits & 0x7FF0000000000000ull) * 0x1p-52;
    if ((bits & 0x000FFFFFFFFFFFFFull) == 0)
        spacing *= 0.5;  // a power of two: the spacing below it is finer
    if (!(std::fabs(l) < kInside * spacing))
        return false;
    out = h;
    return true;
}

// x^n for 2 <= n <= 16 in double-double arithmetic: x^2 straight, then square
// and multiply from the high bit down.
TESSALY_FMA_TARGET inline void positivePower(double x, int n, double& h, double& l)
{
    const double p = x * x;
    h = p;
    l = std::fma(x, x, -p);
    int bit = 30 - __builtin_clz(static_cast<unsigned>(n));  // below the leading bit, after the first squaring
    if ((n >> bit) & 1)
        multiply(h, l, x, 0);
    while (bit-- > 0) {
        multiply(h, l, h, l);
        if ((n >> bit) & 1)
            multiply(h, l, x, 0);
    }
}

TESSALY_FMA_TARGET double fastPower(double x, int n)
{
    if (n == 0)
        return 1;  // std::pow(x, 0) is 1 for every x
    if (n == 1)
        return x;  // and std::pow(x, 1) is x: the exact power is a double
    const int m = n < 0 ? -n : n;
    double h = x, l = 0;
    if (m > 1)
        positivePower(x, m, h, l);
    if (n < 0) {
        // 1 / (h + l) = q (1 + e + ...), e = 1 - q (h + l), with the product q h
        // exact through the fused multiply-add; e^2 lies below 2^-100.
        const double q = 1 / h;
        const double e = std::fma(-q, h, 1.0) - q * l;
        const double c = q * e;
        h = q + c;
        l = c - (h - q);
    }
    double r = 0;
    if (accept(h, l, r))
        return r;
    return std::pow(x, n);
}

const bool kFused = hasFusedMultiplyAdd();

}  // namespace

double wholePower(double x, int n)
{
    if (kFused)
        return fastPower(x, n);
    return std::pow(x, n);
}

}  // namespace tessaly::engine
