#include "numeric/integrator.h"

#include <gtest/gtest.h>

#include <cmath>

#include "common/numbertext.h"
#include "studyfixture.h"

using tessaly::numeric::IntegralOutcome;
using tessaly::numeric::integrate;
using tessaly::numeric::testing::Study;

namespace {

IntegralOutcome integral(Study& s, const std::string& f, double a, double b, int n, double e = 0.01, int m = 20)
{
    auto function = s.function(f);
    return integrate(function, Study::inputs(f, a, b, n, e, m));
}

TEST(Integral, DefaultStudyIntegratesAnOddFunctionToZero)
{
    Study s;
    const auto r = integral(s, "pi/3*x*sin(x)*tanh(x)", -8, 8, 256);
    ASSERT_TRUE(r.value.has_value());
    EXPECT_TRUE(r.valid);
    EXPECT_NEAR(*r.value, 0, 1e-12);
    EXPECT_EQ(r.label, tessaly::common::numberText(*r.value));
}

TEST(Integral, BooleIsExactForAFourthPower)
{
    Study s;
    // Simpson's first estimate is 0.208333...; Boole's is exactly 0.2.
    for (double e : {0.01, 0.001}) {
        const auto r = integral(s, "x^4", 0, 1, 2, e);
        ASSERT_TRUE(r.value.has_value()) << e;
        EXPECT_NEAR(*r.value, 0.2, 1e-15) << e;
        EXPECT_EQ(r.label, "0.2") << e;
        EXPECT_TRUE(r.valid);
    }
}

TEST(Integral, KnownIntegrals)
{
    Study s;
    // ∫0..π sin = 2; ∫1..e 1/x = 1; ∫0..1 e^x = e - 1
    EXPECT_NEAR(*integral(s, "Sin(x)", 0, std::atan(1.0) * 4, 16, 1e-12).value, 2, 1e-12);
    EXPECT_NEAR(*integral(s, "1/x", 1, std::exp(1.0), 16, 1e-12).value, 1, 1e-12);
    EXPECT_NEAR(*integral(s, "Exp(x)", 0, 1, 16, 1e-12).value, std::exp(1.0) - 1, 1e-12);
    EXPECT_NEAR(*integral(s, "x", 1, 0, 2).value, -0.5, 1e-15) << "b < a gives the opposite sign";
    EXPECT_EQ(*integral(s, "x", 3, 3, 8).value, 0);
}

TEST(Integral, TooFewIterationsForTheSubintervalsNeverConverge)
{
    Study s;
    // after M = 5 halvings n is 64, below N = 256
    const auto r = integral(s, "x", 0, 1, 256, 0.01, 5);
    EXPECT_EQ(r.label, "No convergence");
    EXPECT_FALSE(r.valid);
    ASSERT_TRUE(r.value.has_value());
    EXPECT_NEAR(*r.value, 0.5, 1e-15);
}

TEST(Integral, FailuresShowTheirMessageAndStoreNothing)
{
    Study s;
    const auto log = integral(s, "Log(x)", -1, 1, 4);
    EXPECT_FALSE(log.label.has_value());
    EXPECT_FALSE(log.value.has_value());
    EXPECT_EQ(log.error, 5);
    EXPECT_EQ(log.message, "Invalid procedure call or argument");

    const auto pole = integral(s, "1/x", -1, 1, 4);
    EXPECT_EQ(pole.error, 11);
    EXPECT_EQ(pole.message, "division by zero");

    const auto big = integral(s, "Exp(x)", 0, 1000, 4);
    EXPECT_EQ(big.error, 6);
    EXPECT_EQ(big.message, "overflow");

    const auto asin = integral(s, "Asin(x)", 0, 2, 4);
    EXPECT_EQ(asin.error, 5) << "the extension object's failure";
    EXPECT_EQ(asin.message, "Invalid procedure call or argument");

    const auto syntax = integral(s, "2+", 0, 1, 4);
    EXPECT_EQ(syntax.error, 1002);
    EXPECT_FALSE(syntax.message.has_value()) << "the engine reports its own errors";
}

TEST(Integral, ThePanelCountAndTheHalvingLimitAreMetExactly)
{
    // Each halving evaluates f at the n new midpoints: 6 values for the first
    // estimate (n = 2; the middle of [a, b] twice), then 4, 8, 16, ... The test
    // passes when n reaches N and the loop ends when the halvings reach M, both
    // at equality.
    struct Row {
        int n;
        double e;
        int m;
        std::size_t evaluations;
        bool converged;
    };
    const Row rows[] = {
        {2, 1, 20, 6, true},    // n = N at once
        {4, 1, 20, 10, true},   // one halving to reach N
        {8, 1, 2, 18, true},    // N reached on the last allowed halving
        {16, 1, 2, 18, false},  // not reached: the limit ends it
        {2, 0, 0, 6, false},    // no halving allowed
        {2, 0, 3, 34, false},   // exactly three halvings
    };
    for (const Row& row : rows) {
        tessaly::numeric::testing::Scripted f;
        f.f = [](double x) { return tessaly::engine::FunctionValue{std::exp(x), 0}; };
        const auto r = integrate(f, Study::inputs("", 0, 1, row.n, row.e, row.m));
        EXPECT_EQ(f.asked.size(), row.evaluations) << "N=" << row.n << " M=" << row.m;
        EXPECT_EQ(r.valid, row.converged) << "N=" << row.n << " M=" << row.m;
    }
}

}  // namespace
