#include "common/rounding.h"

#include <gtest/gtest.h>

#include <cmath>

using tessaly::common::roundHalfEven;
using tessaly::common::toInt16HalfEven;
using tessaly::common::toInt32HalfEven;

TEST(Rounding, HalfwayGoesToTheEvenNeighbour)
{
    const double rows[][2] = {{0.5, 0},
                              {1.5, 2},
                              {2.5, 2},
                              {3.5, 4},
                              {-0.5, 0},
                              {-1.5, -2},
                              {-2.5, -2},
                              {2.4, 2},
                              {2.6, 3},
                              {-2.6, -3},
                              {7, 7},
                              {1e300, 1e300},
                              {0.49999999999999994, 0},
                              {4503599627370497.0, 4503599627370497.0}};
    for (const auto& r : rows)
        EXPECT_EQ(roundHalfEven(r[0]), r[1]) << r[0];
}

TEST(Rounding, ThirtyTwoBitRangeIsHalfOpen)
{
    EXPECT_EQ(toInt32HalfEven(-2147483648.5), -2147483648);
    EXPECT_EQ(toInt32HalfEven(2147483647.4), 2147483647);
    EXPECT_FALSE(toInt32HalfEven(2147483647.5).has_value());
    EXPECT_FALSE(toInt32HalfEven(-2147483648.6).has_value());
    EXPECT_FALSE(toInt32HalfEven(1e10).has_value());
    EXPECT_FALSE(toInt32HalfEven(std::nan("")).has_value());
    EXPECT_EQ(toInt32HalfEven(6.5), 6);
}

TEST(Rounding, SixteenBitRangeIsHalfOpen)
{
    EXPECT_EQ(toInt16HalfEven(-32768.5), -32768);
    EXPECT_EQ(toInt16HalfEven(32767.4), 32767);
    EXPECT_FALSE(toInt16HalfEven(32767.5).has_value());
    EXPECT_FALSE(toInt16HalfEven(40000).has_value());
}
