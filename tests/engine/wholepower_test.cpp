// wholePower must give exactly what std::pow gives, for every argument.

#include "engine/wholepower.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

using tessaly::engine::kWholePowerLimit;
using tessaly::engine::power;
using tessaly::engine::wholePower;

namespace {

bool sameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

TEST(WholePower, AgreesWithPowToTheBitOnRandomArguments)
{
    std::mt19937_64 rng(1234);
    std::uniform_real_distribution<double> mantissa(1.0, 2.0);
    std::uniform_int_distribution<int> exponent(-80, 80);
    long mismatches = 0;
    for (int i = 0; i < 400000; ++i) {
        const double x = std::ldexp(mantissa(rng), exponent(rng)) * (i % 2 ? -1 : 1);
        for (int n = -kWholePowerLimit; n <= kWholePowerLimit; ++n)
            if (!sameBits(wholePower(x, n), std::pow(x, n)))
                ++mismatches;
    }
    EXPECT_EQ(mismatches, 0);
}

TEST(WholePower, AgreesOnGridPointsAndShortNumbers)
{
    long mismatches = 0;
    for (int i = 0; i <= 100000; ++i) {
        const double x = -8.0 + 16.0 * i / 100000;  // plot-like abscissas
        const double y = i * 0.001;                 // short decimal numbers
        for (int n = -kWholePowerLimit; n <= kWholePowerLimit; ++n) {
            mismatches += !sameBits(wholePower(x, n), std::pow(x, n));
            mismatches += !sameBits(wholePower(y, n), std::pow(y, n));
        }
    }
    EXPECT_EQ(mismatches, 0);
}

// The powers of a block (one exponent, each x or one x for all, written beside
// the xs or over them) are those of wholePower, so std::pow's too.
TEST(WholePower, BlocksAgreeWithPow)
{
    std::mt19937_64 rng(99);
    std::uniform_real_distribution<double> mantissa(1.0, 2.0);
    std::uniform_int_distribution<int> exponent(-70, 70);
    std::vector<double> xs(1000), out(xs.size());
    long mismatches = 0;
    for (int round = 0; round < 40; ++round) {
        for (double& x : xs)
            x = std::ldexp(mantissa(rng), exponent(rng)) * (rng() % 2 ? -1 : 1);
        for (int n = -kWholePowerLimit; n <= kWholePowerLimit; ++n) {
            tessaly::engine::wholePowers(xs.data(), 1, n, out.data(), xs.size());
            for (std::size_t i = 0; i < xs.size(); ++i)
                mismatches += !sameBits(out[i], std::pow(xs[i], n));
            std::vector<double> inPlace = xs;
            tessaly::engine::wholePowers(inPlace.data(), 1, n, inPlace.data(), inPlace.size());
            mismatches += std::memcmp(inPlace.data(), out.data(), out.size() * sizeof(double)) != 0;
            tessaly::engine::wholePowers(xs.data() + round, 0, n, out.data(), 300);
            mismatches += !sameBits(out[299], std::pow(xs[static_cast<std::size_t>(round)], n));
        }
    }
    EXPECT_EQ(mismatches, 0);
}

TEST(WholePower, EdgesOfTheRange)
{
    const double inf = std::numeric_limits<double>::infinity();
    const double edges[] = {0.0,
                            -0.0,
                            1.0,
                            -1.0,
                            2.0,
                            0.5,
                            1e-300,
                            -1e-300,
                            1e300,
                            4.9406564584124654e-324,
                            1.7976931348623157e308,
                            1e20,
                            3.0,
                            1e-20,
                            0x1p-60,
                            1.0000000000000002};
    for (double x : edges)
        for (int n = -kWholePowerLimit; n <= kWholePowerLimit; ++n)
            EXPECT_TRUE(sameBits(wholePower(x, n), std::pow(x, n))) << x << "^" << n;
    EXPECT_EQ(wholePower(1e300, 2), inf);
}

TEST(WholePower, PowerTakesTheWholePathOnlyForWholeExponentsInRange)
{
    for (double y : {2.0, 3.0, 16.0, 17.0, 1.0, 0.0, -2.0, 2.5, 1e10})
        for (double x : {-8.0, -1.25, 0.3, 7.7})
            EXPECT_TRUE(sameBits(power(x, y), std::pow(x, y))) << x << "^" << y;
}

}  // namespace
