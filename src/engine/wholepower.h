#pragma once

#include <cmath>
#include <cstddef>

namespace tessaly::engine {

// wholePower takes the whole exponents n with |n| <= kWholePowerLimit.
constexpr int kWholePowerLimit = 16;

// x^n for a whole n, |n| <= kWholePowerLimit, exactly as std::pow(x, n) gives
// it, but faster in the usual case: x^0 is 1 and x^1 is x (what std::pow gives
// for every x); otherwise the power (or for n < 0 its reciprocal) is computed
// with the rounding errors of its products carried along (about 100 bits), and
// its nearest double returned when
// the exact power lies so far inside that double's rounding interval that
// std::pow, whose error is bounded, must round to the same double (see
// wholepower.cpp). Otherwise (near a rounding boundary, near the ends of the
// double range, and on a processor without fused multiply-add) std::pow itself
// is called.
double wholePower(double x, int n);

// The function that gives wholePower(x, n) for one n, |n| <= kWholePowerLimit,
// for a caller that calls it for many x (one call instead of two, and no test
// of the processor or of n each time).
using WholePowerFn = double (*)(double);
WholePowerFn wholePowerFunction(int n);

// out[i] = wholePower(x[i * step], n) for i < count (step 0: one x for all).
void wholePowers(const double* x, std::size_t step, int n, double* out, std::size_t count);

// x^y as the language computes it: wholePower for the whole exponents it takes,
// std::pow otherwise. The same value as std::pow(x, y) in every case.
inline double power(double x, double y)
{
    if (y >= -kWholePowerLimit && y <= kWholePowerLimit && y == static_cast<double>(static_cast<int>(y)))
        return wholePower(x, static_cast<int>(y));
    return std::pow(x, y);
}

}  // namespace tessaly::engine
