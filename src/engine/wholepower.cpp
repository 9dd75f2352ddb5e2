#include "engine/wholepower.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <utility>

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

// Below, the arithmetic is written once and inlined into functions built for
// processors with fused multiply-add (and, for blocks, AVX2): the same
// operations, each rounded once, give the same bits however they are issued.
#define TESSALY_INLINE [[gnu::always_inline]] inline

// The nearest double to the exact power p + s; ok tells whether it lies far
// enough inside that double's rounding interval (no branch: blocks vectorize).
TESSALY_INLINE double decide(double p, double s, bool& ok)
{
    const double h = p + s;
    const double l = s - (h - p);  // h + l = p + s exactly (|s| is far below |p|)
    const double magnitude = std::fabs(h);
    const auto bits = std::bit_cast<std::uint64_t>(magnitude);
    double spacing = std::bit_cast<double>(bits & 0x7FF0000000000000ull) * 0x1p-52;
    // A power of two: the spacing below it is finer.
    spacing = (bits & 0x000FFFFFFFFFFFFFull) == 0 ? spacing * 0.5 : spacing;
    const double inside = ((magnitude >= 0x1p-64) & (magnitude < 0x1p64)) ? kInsideNear : kInside;
    // Near the ends of the range (or 0, or not finite), std::pow decides.
    ok = (magnitude >= 0x1p-1000) & (magnitude <= 0x1p1000) & (std::fabs(l) < inside * spacing);
    return h;
}

// x^M for 2 <= M <= 16 as p + s: p the power in doubles, s the sum of the
// rounding errors of its products, carried along (a compensated power). Square
// and multiply: (p + s)^2 = p^2 + 2ps + s^2, where the error of p^2 comes exact
// from the fused multiply-add and s^2 (below 2^-100 of the power) is left out;
// (p + s) x = px + sx likewise. The sum p + s lies within 2^-90 of the power.
// (M is a constant, so the products are straight-line code.)
template <int M>
TESSALY_INLINE void positivePower(double x, double& p, double& s)
{
    if constexpr (M == 2) {
        p = x * x;
        s = std::fma(x, x, -p);
    } else if constexpr (M % 2 == 0) {
        positivePower<M / 2>(x, p, s);
        const double q = p * p;
        s = std::fma(2 * p, s, std::fma(p, p, -q));
        p = q;
    } else {
        positivePower<M - 1>(x, p, s);
        const double q = p * x;
        s = std::fma(s, x, std::fma(p, x, -q));
        p = q;
    }
}

// x^N, |N| <= 16; ok false when std::pow must decide.
template <int N>
TESSALY_INLINE double powerOf(double x, bool& ok)
{
    ok = true;
    if constexpr (N == 0) {
        return 1;  // std::pow(x, 0) is 1 for every x
    } else if constexpr (N == 1) {
        return x;  // and std::pow(x, 1) is x: the exact power is a double
    } else {
        constexpr int m = N < 0 ? -N : N;
        double p = x, s = 0;
        if constexpr (m > 1)
            positivePower<m>(x, p, s);
        if constexpr (N < 0) {
            // 1 / (p + s) = q (1 + e + ...), e = 1 - q (p + s), with the product q p
            // exact through the fused multiply-add; e^2 lies below 2^-100.
            const double q = 1 / p;
            const double e = std::fma(-q, p, 1.0) - q * s;
            p = q;
            s = q * e;
        }
        return decide(p, s, ok);
    }
}

// std::pow itself. Given a constant exponent the compiler would put x*x for
// pow(x, 2) and 1/x for pow(x, -1), the correctly rounded values, which the C
// library's pow does not always give; the exponent is hidden from it.
TESSALY_INLINE double libraryPow(double x, int n)
{
    const volatile double exponent = n;
    return std::pow(x, exponent);
}

template <int N>
TESSALY_FMA_TARGET double scalarPower(double x)
{
    bool ok = false;
    const double r = powerOf<N>(x, ok);
    return ok ? r : libraryPow(x, N);
}

// wholePower on a processor without fused multiply-add.
template <int N>
double plainPower(double x)
{
    return libraryPow(x, N);
}

// A block of powers with one exponent: all computed first (a loop the compiler
// vectorizes), then std::pow for the few it must decide.
template <int N>
[[gnu::target("avx2,fma")]] void blockPowers(const double* x, std::size_t step, double* out, std::size_t count)
{
    constexpr std::size_t kLanes = 256;
    double in[kLanes];         // (a copy: out may be x itself)
    std::uint64_t ok[kLanes];  // (words as wide as the doubles: one vector lane each)
    for (std::size_t start = 0; start < count; start += kLanes) {
        const std::size_t n = std::min(kLanes, count - start);
        if (step == 1) {
            std::copy(x + start, x + start + n, in);
            for (std::size_t i = 0; i < n; ++i) {
                bool decided = false;
                out[start + i] = powerOf<N>(in[i], decided);
                ok[i] = decided;
            }
        } else {
            std::fill(in, in + n, *x);
            bool one = false;
            const double r = powerOf<N>(*x, one);
            std::fill(out + start, out + start + n, r);
            std::fill(ok, ok + n, std::uint64_t{one});
        }
        for (std::size_t i = 0; i < n; ++i)
            if (!ok[i])
                out[start + i] = libraryPow(in[i], N);
    }
}

// The functions of each exponent, from -kWholePowerLimit up.
template <int... N>
constexpr auto blockPowerTable(std::integer_sequence<int, N...>)
{
    return std::array{&blockPowers<N - kWholePowerLimit>...};
}
template <int... N>
constexpr auto scalarPowerTable(std::integer_sequence<int, N...>)
{
    return std::array{&scalarPower<N - kWholePowerLimit>...};
}
template <int... N>
constexpr auto plainPowerTable(std::integer_sequence<int, N...>)
{
    return std::array{&plainPower<N - kWholePowerLimit>...};
}
constexpr auto kBlockPowers = blockPowerTable(std::make_integer_sequence<int, 2 * kWholePowerLimit + 1>{});
constexpr auto kScalarPowers = scalarPowerTable(std::make_integer_sequence<int, 2 * kWholePowerLimit + 1>{});
constexpr auto kPlainPowers = plainPowerTable(std::make_integer_sequence<int, 2 * kWholePowerLimit + 1>{});

bool hasVectorFusedMultiplyAdd()
{
#if defined(__x86_64__) || defined(__i386__)
    return hasFusedMultiplyAdd() && __builtin_cpu_supports("avx2");
#else
    return false;
#endif
}

const bool kFused = hasFusedMultiplyAdd();
const bool kVectorFused = hasVectorFusedMultiplyAdd();

}  // namespace

void wholePowers(const double* x, std::size_t step, int n, double* out, std::size_t count)
{
    if (kVectorFused) {
        kBlockPowers[static_cast<std::size_t>(n + kWholePowerLimit)](x, step, out, count);
        return;
    }
    for (std::size_t i = 0; i < count; ++i)
        out[i] = wholePower(x[i * step], n);
}

WholePowerFn wholePowerFunction(int n)
{
    const auto i = static_cast<std::size_t>(n + kWholePowerLimit);
    return kFused ? kScalarPowers[i] : kPlainPowers[i];
}

double wholePower(double x, int n)
{
    if (kFused)
        return kScalarPowers[static_cast<std::size_t>(n + kWholePowerLimit)](x);
    return std::pow(x, n);
}

}  // namespace tessaly::engine
