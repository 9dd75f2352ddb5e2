#pragma once

#include <cmath>

namespace tessaly::engine {

// The smallest and largest whole exponents that wholePower takes.
constexpr int kWholePowerMin = 2;
constexpr int kWholePowerMax = 16;

// x^n for a whole n in [kWholePowerMin, kWholePowerMax], exactly as std::pow(x, n)
// gives it, but faster in the usual case. The power is computed in double-double
// arithmetic (about 100 bits) and its nearest double is returned only when the
// exact power lies within 0.42 ULP of it: std::pow's error stays below 0.54 ULP,
// so every other double is too far away and std::pow returns that same double. Otherwise (and on a processor without fused
// multiply-add, or near the ends of the double range) std::pow itself is called.
double wholePower(double x, int n);

// x^y as the language computes it: wholePower for the whole exponents it takes,
// std::pow otherwise. The same value as std::pow(x, y) in every case.
inline double power(double x, double y)
{
    if (y >= kWholePowerMin && y <= kWholePowerMax && y == static_cast<double>(static_cast<int>(y)))
        return wholePower(x, static_cast<int>(y));
    return std::pow(x, y);
}

}  // namespace tessaly::engine
