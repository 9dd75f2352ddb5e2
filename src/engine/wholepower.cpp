#include "engine/wholepower.h"

#include <cmath>
#include <cstdint>
#include <cstring>

namespace tessaly::engine {
namespace {

#if defined(__x86_64__) || defined(__i386__)
#define TESSALY_FMA_TARGET [[gnu::target("fma")]]
bool hasFusedMultiplyAdd() { return __builtin_cpu_supports("fma"); }
#else
#define TESSALY_FMA_TARGET
bool hasFusedMultiplyAdd() { return false; }
#endif

// (h, l) *= (bh, bl), keeping h the nearest double to h + l.
TESSALY_FMA_TARGET inline void multiply(double& h, double& l, double bh, double bl)
{
    const double p = h * bh;
    const double e = std::fma(h, bh, -p) + (h * bl + l * bh);
    h = p + e;
    l = e - (h - p);
}

// The nearest double to the exact power h + l when it lies within 0.42 ULP of h.
TESSALY_FMA_TARGET inline bool accept(double h, double l, double& out)
{
    const double magnitude = std::fabs(h);
    if (!(magnitude >= 0x1p-1000 && magnitude <= 0x1p1000))
        return false;  // near the ends of the range (or 0): leave it to std::pow
    std::uint64_t bits = 0;
    std::memcpy(&bits, &magnitude, sizeof bits);
    if ((bits & 0x000FFFFFFFFFFFFFull) == 0)
        return false;  // a power of two: the spacing below it is finer
    const std::uint64_t ulpBits = (bits & 0x7FF0000000000000ull) - (52ull << 52);
    double ulp = 0;
    std::memcpy(&ulp, &ulpBits, sizeof ulp);
    if (!(std::fabs(l) < 0.42 * ulp))
        return false;
    out = h;
    return true;
}

TESSALY_FMA_TARGET bool tryWholePower(double x, int n, double& out)
{
    // x^2 and x^3 straight: the usual powers of a polynomial.
    const double p = x * x;
    const double e = std::fma(x, x, -p);
    if (n == 2)
        return accept(p, e, out);
    if (n == 3) {
        double h = p, l = e;
        multiply(h, l, x, 0);
        return accept(h, l, out);
    }
    // Square and multiply from the high bit down: x^n = ((x^2)^...)·x...
    double h = p, l = e;
    int bit = 30 - __builtin_clz(static_cast<unsigned>(n));  // below the leading bit, after the first squaring
    if ((n >> bit) & 1)
        multiply(h, l, x, 0);
    while (bit-- > 0) {
        multiply(h, l, h, l);
        if ((n >> bit) & 1)
            multiply(h, l, x, 0);
    }
    return accept(h, l, out);
}

}  // namespace

double wholePower(double x, int n)
{
    static const bool fast = hasFusedMultiplyAdd();
    double r = 0;
    if (fast && tryWholePower(x, n, r))
        return r;
    return std::pow(x, n);
}

}  // namespace tessaly::engine
