// The bounds beside the results, on functions whose truth is known in closed form.

#include "numeric/estimates.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "studyfixture.h"

using namespace tessaly::numeric;
using tessaly::numeric::testing::Scripted;
using tessaly::numeric::testing::Study;

namespace {

// f as a native function that never fails.
Scripted native(double (*f)(double))
{
    Scripted s;
    s.f = [f](double x) { return tessaly::engine::FunctionValue{f(x), 0}; };
    return s;
}

std::vector<Warning::Kind> kinds(const std::vector<Warning>& warnings)
{
    std::vector<Warning::Kind> k;
    for (const auto& w : warnings)
        k.push_back(w.kind);
    return k;
}

TEST(Trust, EveryCertifiedRootIntervalHoldsTheRoot)
{
    struct Row {
        const char* f;
        double a, b;
        std::vector<double> truth;
    };
    const double r2 = std::sqrt(2.0);
    const Row rows[] = {
        {"x^2-2", -2, 2.5, {-r2, r2}},
        {"x^3-2*x", -2, 2, {-r2, 0, r2}},  // 0 is met on the grid
        {"Exp(x)-3", 0, 2, {std::log(3.0)}},
        {"Log(x)-1", 1, 5, {std::exp(1.0)}},  // f rounds to 0 there
        {"Sin(x)", 0.5, 10, {M_PI, 2 * M_PI, 3 * M_PI}},
    };
    for (const Row& row : rows) {
        for (const double e : {0.01, 1e-12}) {
            Study s;
            auto f = s.function(row.f);
            const auto in = Study::inputs(row.f, row.a, row.b, 256, e);
            const RootsOutcome r = findRoots(f, in);
            const auto bounds = rootBounds(f, r, in);
            ASSERT_EQ(bounds.size(), row.truth.size()) << row.f;
            for (std::size_t k = 0; k < bounds.size(); ++k) {
                EXPECT_TRUE(bounds[k].certified) << row.f << " " << k;
                EXPECT_LE(bounds[k].lo, row.truth[k]) << row.f << " " << k << " E=" << e;
                EXPECT_GE(bounds[k].hi, row.truth[k]) << row.f << " " << k << " E=" << e;
            }
            EXPECT_TRUE(r.warnings.empty()) << row.f;
        }
    }
}

TEST(Trust, TheScanWarnsOfWhatItCannotList)
{
    // A double root (no sign change), a run of exact zeros, a sign change left
    // unsettled by a single Newton step.
    Study s;
    auto touching = s.function("(x-1)^2*(x+2)");
    const RootsOutcome t = findRoots(touching, Study::inputs("", -3, 3.1, 256));
    ASSERT_EQ(kinds(t.warnings), std::vector<Warning::Kind>{Warning::Kind::TouchingRoot});
    EXPECT_NEAR(*t.warnings[0].x, 1, 0.02);
    EXPECT_EQ(t.rows.size(), 1u) << "the rows are the scan's own";

    auto flat = s.function("(x>0.5)*(0.5-x)");  // 0 up to 0.5, then x - 0.5
    const RootsOutcome z = findRoots(flat, Study::inputs("", 0, 1, 4));
    ASSERT_EQ(kinds(z.warnings), std::vector<Warning::Kind>{Warning::Kind::ZeroRun});
    EXPECT_EQ(z.warnings[0].text, "f is exactly 0 on [0, 0.5]");
    EXPECT_EQ(z.rows.size(), 3u) << "each zero of the grid is still a row";

    auto cubic = s.function("x^3-2");
    const RootsOutcome u = findRoots(cubic, Study::inputs("", 0, 2, 4, 1e-15, 1));
    ASSERT_EQ(kinds(u.warnings), std::vector<Warning::Kind>{Warning::Kind::UnsettledSignChange});
    EXPECT_EQ(u.warnings[0].text, "A sign change in [1, 1.5] was not settled in 1 iterations");

    for (const char* none : {"x^2+1", "Cosh(x)", "2+Sin(x)"}) {
        auto f = s.function(none);
        EXPECT_TRUE(findRoots(f, Study::inputs("", -3, 9, 256)).warnings.empty()) << none;
    }
}

TEST(Trust, ExtremumIntervalsHoldThePositionAndPossibleRootsAreSound)
{
    struct Row {
        const char* f;
        double a, b;
        std::vector<double> truth;  // in row order
        std::vector<bool> possibleRoot;
    };
    const double p = std::sqrt(2.0 / 3);
    const Row rows[] = {
        {"x^3-2*x", -2, 2.2, {-p, p}, {false, false}},
        {"x^2", -1, 1.3, {0}, {true}},
        {"x^2+1", -1, 1.3, {0}, {false}},
        {"(x-0.5)^2*(x+3)", -1, 2, {0.5}, {true}},  // touches 0 between grid points
    };
    for (const Row& row : rows) {
        Study s;
        auto f = s.function(row.f);
        const auto in = Study::inputs(row.f, row.a, row.b, 256);
        const auto bounds = extremumBounds(f, findExtrema(f, in), in);
        ASSERT_EQ(bounds.size(), row.truth.size()) << row.f;
        for (std::size_t k = 0; k < bounds.size(); ++k) {
            EXPECT_TRUE(bounds[k].certified) << row.f;
            EXPECT_LE(bounds[k].x - bounds[k].e, row.truth[k]) << row.f;
            EXPECT_GE(bounds[k].x + bounds[k].e, row.truth[k]) << row.f;
            EXPECT_EQ(bounds[k].possibleRoot, row.possibleRoot[k]) << row.f;
        }
    }
    // Next to a pole f does not rise on both sides: not certified.
    Scripted pole;
    pole.f = [](double x) { return tessaly::engine::FunctionValue{x == 0 ? 0 : 1 / x, x == 0 ? 11 : 0}; };
    ExtremaOutcome fake;
    fake.found.push_back({false, 1e-3, 1000, 1e-4});
    EXPECT_FALSE(extremumBounds(pole, fake, Study::inputs("", -1, 1, 256))[0].certified);
}

TEST(Trust, TheIntegralEstimateCoversTheErrorAndWarnsOfWhatBooleCannotSee)
{
    struct Row {
        const char* f;
        double a, b, truth;
        double e;
        bool warned;
    };
    const Row rows[] = {
        {"Exp(x)", 0, 1, std::exp(1.0) - 1, 1e-3, false},
        {"Sin(x)", 0, 3, 1 - std::cos(3.0), 0.01, false},
        {"1/(1+x*x)", -3, 3.5, std::atan(3.5) + std::atan(3.0), 1e-6, false},
        // Every abscissa of the rule is a zero of f: 0 "converges"; Gauss sees it.
        {"Sin(512*pi*x)^2", 0, 1, 0.5, 0.01, true},
        // A pole inside: the integral of |f| keeps growing as the panels halve.
        {"Tan(x)", 1, 2, 0, 1e-3, true},
    };
    for (const Row& row : rows) {
        Study s;
        auto f = s.function(row.f);
        const auto in = Study::inputs(row.f, row.a, row.b, 2, row.e);
        const IntegralOutcome g = integrate(f, in);
        const IntegralTrust t = integralBound(f, g, in);
        ASSERT_TRUE(t.bound) << row.f;
        EXPECT_EQ(t.bound->value, *g.value) << row.f;
        EXPECT_EQ(!t.warnings.empty(), row.warned) << row.f;
        if (!row.warned) {
            EXPECT_GE(t.bound->errorEstimate, std::fabs(t.bound->value - row.truth)) << row.f;
        }
    }
}

TEST(Trust, SignificantDigitsNeverClaimAFalseDigit)
{
    struct Row {
        double value, estimate;
        std::optional<int> digits;
    };
    const Row rows[] = {{1, 0.05, 1},    {1, 0.5, 0},     {1, 1, std::nullopt},
                        {100, 0.001, 5}, {-2, 2e-20, 15}, {0, 1e-300, std::nullopt}};
    for (const Row& r : rows)
        EXPECT_EQ(significantDigits(r.value, r.estimate), r.digits) << r.value << " " << r.estimate;
    EXPECT_EQ(trustedText(1.41421356237309, 4), "1.414");
    EXPECT_EQ(trustedText(-0.000123456, 2), "-0.00012");
    EXPECT_EQ(trustedText(3.5, std::nullopt), "?");

    // x^3: the derivatives at 2 are 12, 12, 6 and then 0.
    Scripted cube = native([](double x) { return x * x * x; });
    const double truth[] = {8, 12, 12, 6};
    for (int order = 0; order <= 3; ++order) {
        const ValueOutcome v = valueAt(cube, order, 2, factorialTable(), DerivativeSteps{});
        const ValueTrust t = valueBound(cube, v, order, 2, factorialTable());
        ASSERT_TRUE(t.bound && t.bound->significantDigits) << order;
        const double allowed = 0.5 * std::pow(10.0, 1 - *t.bound->significantDigits);
        EXPECT_LE(std::fabs(t.bound->value - truth[order]) / truth[order], allowed) << order;
        EXPECT_GE(*t.bound->significantDigits, order == 0 ? 15 : 8) << order;
    }
    // A high order of sin: the difference has no correct digit, and says so.
    Scripted sine = native([](double x) { return std::sin(x); });
    const ValueOutcome v = valueAt(sine, 20, 1.3, factorialTable(), DerivativeSteps{});
    const ValueTrust t = valueBound(sine, v, 20, 1.3, factorialTable());
    ASSERT_TRUE(t.bound);
    EXPECT_FALSE(t.bound->significantDigits);
    EXPECT_EQ(kinds(t.warnings), std::vector<Warning::Kind>{Warning::Kind::NoSignificantDigit});
}

TEST(Trust, BoundsAsToolTipsTellThem)
{
    EXPECT_EQ(boundText(RootBound{1.5, 1.25, 1.75, true, 0.5}),
              "1.5 \u00b1 0.25, certified by a sign change on [1.25, 1.75], |f(x)| = 0.5");
    EXPECT_EQ(boundText(IntegralBound{0.5, 1e-9, false}), "0.5 \u00b1 1E-09, estimated (no convergence)");
    EXPECT_EQ(boundText(ValueBound{2, 1, 12, 1e-9, 9}), "12 \u00b1 1E-09, 9 significant digits");
    EXPECT_EQ(warningKindName(Warning::Kind::UnsettledSignChange), "unsettled_sign_change");
}

}  // namespace
