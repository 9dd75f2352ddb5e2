// The extension object's functions and their failure rule.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "enginefixture.h"

using tessaly::engine::Class1;
using tessaly::engine::testing::WindowEngine;

namespace {

struct FunctionRow {
    const char* text;
    double x;
    int error;  // 0 when the value is expected
    double value;
};

void PrintTo(const FunctionRow& r, std::ostream* os) { *os << r.text << " at " << r.x; }

class ExtensionFunctions : public ::testing::TestWithParam<FunctionRow> {};

TEST_P(ExtensionFunctions, GiveTheFormulaValueOrRaiseAfterEvaluation)
{
    WindowEngine w;
    std::int32_t windowError = 0;
    w.object.attachErrorField(&windowError);
    const auto& row = GetParam();
    const auto r = w.value(row.text, row.x);
    EXPECT_EQ(r.error, row.error);
    if (row.error == 0) {
        EXPECT_EQ(r.value, row.value);
    } else {
        // the failure is recorded in the object and the window, and the engine
        // itself reported nothing: the evaluation completed
        EXPECT_EQ(w.object.ierr, row.error);
        EXPECT_EQ(windowError, row.error);
        EXPECT_EQ(w.engine.eval(row.text).error, 0);
    }
}

const double kHalfPi = std::atan(1.0) * 2;

INSTANTIATE_TEST_SUITE_P(
    Formulas, ExtensionFunctions,
    ::testing::Values(FunctionRow{"Asin(x)", 1, 0, kHalfPi}, FunctionRow{"Asin(x)", -1, 0, -kHalfPi},
                      FunctionRow{"Asin(x)", 0.5, 0, std::atan(0.5 / std::sqrt(0.75))}, FunctionRow{"Asin(x)", 0, 0, 0},
                      FunctionRow{"Acos(x)", -1, 0, 2 * kHalfPi}, FunctionRow{"Acos(x)", 1, 0, 0},
                      FunctionRow{"Acos(x)", 0.5, 0, kHalfPi + -std::atan(0.5 / std::sqrt(0.75))},
                      FunctionRow{"Asin(x)", 2, 5, 0}, FunctionRow{"Asin(x)", -1.0000001, 5, 0},
                      FunctionRow{"Acos(x)", 2, 5, 0},
                      FunctionRow{"Sinh(x)", 1, 0, (std::exp(1.0) - std::exp(-1.0)) * 0.5},
                      FunctionRow{"Cosh(x)", 1, 0, (std::exp(1.0) + std::exp(-1.0)) * 0.5},
                      FunctionRow{"Tanh(x)", 1, 0, 1 + (-2 * std::exp(-1.0)) / (std::exp(-1.0) + std::exp(1.0))},
                      FunctionRow{"Tanh(x)", 709, 0, 1}, FunctionRow{"Sinh(x)", 800, 6, 0},
                      FunctionRow{"Sinh(x)", -800, 6, 0}, FunctionRow{"Cosh(x)", 710, 6, 0},
                      FunctionRow{"Tanh(x)", -710, 6, 0}, FunctionRow{"Asinh(x)", 1, 0, std::log(1 + std::sqrt(2.0))},
                      FunctionRow{"Asinh(x)", -1, 0, -std::log(1 + std::sqrt(2.0))},
                      FunctionRow{"Asinh(x)", -1E8, 0, -std::log(1E8 + std::sqrt(1E16 + 1))},
                      FunctionRow{"Asinh(x)", 1E200, 6, 0}, FunctionRow{"Acosh(x)", 1, 0, 0},
                      FunctionRow{"Acosh(x)", 2, 0, std::log(2 + std::sqrt(3.0))}, FunctionRow{"Acosh(x)", 0.5, 5, 0},
                      FunctionRow{"Acosh(x)", -2, 5, 0}, FunctionRow{"Atanh(x)", 0.5, 0, std::log(1.5 / 0.5) * 0.5},
                      FunctionRow{"Atanh(x)", 1, 11, 0}, FunctionRow{"Atanh(x)", -1, 5, 0},
                      FunctionRow{"Atanh(x)", 2, 5, 0}));

TEST(Class1, AsinhIsOddAndKeepsTheFormulaForPositiveArguments)
{
    Class1 o;
    for (double v : {1e-300, 1e-8, 0.3, 1.0, 7.5, 1e8, 1e150}) {
        double a = v, b = -v;
        EXPECT_EQ(o.Asinh(a), std::log(v + std::sqrt(v * v + 1))) << v;
        EXPECT_EQ(o.Asinh(b), -o.Asinh(a)) << v;
    }
    EXPECT_EQ(o.ierr, 0);
}

TEST(Class1, DefaultFunctionAtTheDefaultPoints)
{
    // The oracle is the language's own formula for Tanh, written out here.
    auto tanhOf = [](double t) { return 1 + (-2 * std::exp(-t)) / (std::exp(-t) + std::exp(t)); };
    const double pi = std::atan(1.0) * 4;
    WindowEngine w;
    for (double x : {-8.0, -1.0, 0.0, 0.25, 3.0})
        EXPECT_EQ(w.value("pi/3*x*sin(x)*tanh(x)", x).value, pi / 3 * x * std::sin(x) * tanhOf(x)) << x;
}

TEST(Class1, FailureStoresIntoEveryAttachedFieldUntilDetached)
{
    Class1 o;
    std::int32_t main = 0, evaluator = 0;
    o.attachErrorField(&main);
    o.attachErrorField(&evaluator);
    double v = 5;
    EXPECT_EQ(o.Atanh(v), 0);
    EXPECT_EQ(main, 5);
    EXPECT_EQ(evaluator, 5);
    o.detachErrorField(&evaluator);
    v = 1;
    o.Atanh(v);
    EXPECT_EQ(main, 11);
    EXPECT_EQ(evaluator, 5);
}

TEST(Class1, ComparisonFunctionTextGivesTruthValues)
{
    WindowEngine w;
    EXPECT_EQ(w.value("x>1", 2).value, -1);
    EXPECT_EQ(w.value("x>1", 0).value, 0);
    EXPECT_EQ(w.value("Asin(1) = halfpi").value, -1);
}

TEST(Class1, TrapRulePrefersTheObjectsNumberAndClearsIt)
{
    WindowEngine w;
    // Asin(2) fails inside the object (5); then 1/0 fails the evaluation itself (11)
    const auto r = w.value("Asin(2) + 1/0");
    EXPECT_EQ(r.error, 11);
    EXPECT_EQ(tessaly::engine::trappedError(r.error, w.object), 5);
    EXPECT_EQ(w.object.ierr, 0);
    EXPECT_EQ(tessaly::engine::trappedError(13, w.object), 13);
}

}  // namespace
