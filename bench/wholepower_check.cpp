// Checks whole powers against std::pow to the bit on many random arguments:
// wholePower and the function of wholePowerFunction one x at a time and
// wholePowers a block at a time, every exponent
// from -16 to 16, x of random sign, mantissa and binary exponent in [-80, 80].
//   wholepower_check [COUNT]   (COUNT pairs of x and exponent; 300 million by default)
// Prints the number of pairs checked and of mismatches; exits 1 on any mismatch.

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <vector>

#include "engine/wholepower.h"

int main(int argc, char** argv)
{
    using tessaly::engine::kWholePowerLimit;
    const long long count = argc > 1 ? std::atoll(argv[1]) : 300000000LL;
    std::mt19937_64 rng(20261207);
    std::uniform_real_distribution<double> mantissa(1.0, 2.0);
    std::uniform_int_distribution<int> exponent(-80, 80);
    constexpr std::size_t kBlock = 256;
    std::vector<double> xs(kBlock), block(kBlock);
    long long checked = 0, mismatches = 0;
    auto differ = [](double a, double b) { return std::memcmp(&a, &b, sizeof a) != 0; };
    while (checked < count) {
        for (double& x : xs)
            x = std::ldexp(mantissa(rng), exponent(rng)) * (rng() % 2 ? -1 : 1);
        for (int n = -kWholePowerLimit; n <= kWholePowerLimit && checked < count; ++n) {
            tessaly::engine::wholePowers(xs.data(), 1, n, block.data(), kBlock);
            const tessaly::engine::WholePowerFn power = tessaly::engine::wholePowerFunction(n);
            for (std::size_t i = 0; i < kBlock; ++i) {
                const double p = std::pow(xs[i], n);
                mismatches +=
                    differ(tessaly::engine::wholePower(xs[i], n), p) + differ(block[i], p) + differ(power(xs[i]), p);
            }
            checked += kBlock;
        }
    }
    std::printf("%lld pairs checked one at a time (two ways) and in blocks, %lld mismatches\n", checked, mismatches);
    return mismatches ? 1 : 0;
}
