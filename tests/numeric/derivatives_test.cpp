#include "numeric/derivatives.h"

#include <gtest/gtest.h>

#include <cmath>

#include "common/numbertext.h"
#include "studyfixture.h"

using namespace tessaly::numeric;
using tessaly::numeric::testing::Study;

namespace {

const Factorials kFactorials = factorialTable();

ValueOutcome value(Study& s, const std::string& f, std::int32_t order, double x)
{
    auto function = s.function(f);
    return valueAt(function, order, x, kFactorials, DerivativeSteps{});
}

// The value, which the label must show.
double number(const ValueOutcome& v)
{
    EXPECT_EQ(v.label, tessaly::common::numberText(v.value));
    return v.value;
}

TEST(Derivatives, TheFactorialTable)
{
    EXPECT_EQ(kFactorials[0], 1);
    EXPECT_EQ(kFactorials[10], 3628800);
    EXPECT_NEAR(kFactorials[33] / 8.68331761881188649551819440128e36, 1, 1e-15);
}

TEST(Derivatives, StepsForEachOrder)
{
    DerivativeSteps s;
    ASSERT_EQ(prepareDerivativeSteps(2, kFactorials, s), 0);
    EXPECT_EQ(s.e, 0.009);
    EXPECT_EQ(s.e2, 8.099999999999999e-05);
    ASSERT_EQ(prepareDerivativeSteps(3, kFactorials, s), 0);
    EXPECT_NEAR(s.h, 0.0215443469, 1e-9);  // 10^(-5/3)
    EXPECT_EQ(s.e, 2 * s.h);
    EXPECT_NEAR(s.C, 6 / std::pow(2 * s.h, 3), 1e-6);
    ASSERT_EQ(prepareDerivativeSteps(9, kFactorials, s), 0);
    EXPECT_NEAR(s.h, 0.2782559402, 1e-9);
    EXPECT_EQ(prepareDerivativeSteps(33, kFactorials, s), 0);
    EXPECT_EQ(prepareDerivativeSteps(34, kFactorials, s), 9);
}

TEST(Derivatives, ValueCommandOnACubic)
{
    Study s;
    // f = x^3 at x = 1.5: f = 3.375, f' = 6.75, f'' = 9, f''' = 6; the five-point
    // formulas are exact for it up to rounding, the order-3 difference too.
    EXPECT_EQ(*value(s, "x*x*x", 0, 1.5).label, "3.375");
    EXPECT_NEAR(number(value(s, "x*x*x", 1, 1.5)), 6.75, 1e-9);
    EXPECT_NEAR(number(value(s, "x*x*x", 2, 1.5)), 9, 1e-6);
    EXPECT_NEAR(number(value(s, "x*x*x", 3, 1.5)), 6, 1e-6);
    EXPECT_NEAR(number(value(s, "x*x*x*x", 4, 0.7)), 24, 1e-4);
}

TEST(Derivatives, ValueCommandWithinTheTruncationError)
{
    Study s;
    // sin at 1: the five-point formulas err by about d^4 f^(5) / 30; the order-3
    // difference by about h^2 f^(5) / 4 with h = 0.0215.
    EXPECT_NEAR(number(value(s, "Sin(x)", 1, 1)), std::cos(1.0), 1e-9);
    EXPECT_NEAR(number(value(s, "Sin(x)", 2, 1)), -std::sin(1.0), 1e-6);
    EXPECT_NEAR(number(value(s, "Sin(x)", 3, 1)), -std::cos(1.0), 2e-4);
    EXPECT_EQ(*value(s, "pi/3*x*sin(x)*tanh(x)", 0, 0).label, "0");
}

TEST(Derivatives, PlotDerivativesUseTheShorterFormulas)
{
    Study s;
    auto f = s.function("x*x*x");
    DerivativeSteps steps;
    prepareDerivativeSteps(1, kFactorials, steps);
    // (f(x+d) - f(x-d)) / 2d = 3x^2 + d^2 for a cubic
    EXPECT_NEAR(derivativeAt(f, steps, kFactorials, 2).value, 12 + 0.0045 * 0.0045, 1e-9);
    prepareDerivativeSteps(2, kFactorials, steps);
    EXPECT_NEAR(derivativeAt(f, steps, kFactorials, 2).value, 12, 1e-6);
    prepareDerivativeSteps(0, kFactorials, steps);
    EXPECT_EQ(derivativeAt(f, steps, kFactorials, 2).value, 8);
    prepareDerivativeSteps(-2, kFactorials, steps);
    EXPECT_EQ(derivativeAt(f, steps, kFactorials, 2).value, 0) << "a negative order is an empty sum";
}

TEST(Derivatives, FailuresLeaveNoValue)
{
    Study s;
    EXPECT_EQ(value(s, "Log(x)", 0, -1).error, 5);
    EXPECT_FALSE(value(s, "Log(x)", 0, -1).label.has_value());
    EXPECT_EQ(value(s, "Sqr(x)", 1, 0).error, 5) << "a probe point is undefined";
    EXPECT_EQ(value(s, "x", 34, 0).error, 9);
    EXPECT_EQ(value(s, "Exp(x)", 33, 700).error, 6) << "a derivative beyond the double range is an overflow";
    EXPECT_EQ(value(s, "x", -1, 5).error, 9) << "no derivative of a negative order, rather than an empty sum's 0";
    EXPECT_FALSE(value(s, "x", -1, 5).label.has_value());
    EXPECT_EQ(*value(s, "x", 0, 5).label, "5");
}

}  // namespace
