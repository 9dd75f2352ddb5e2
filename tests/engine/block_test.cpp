// Values of f over blocks of x: the same values as one x at a time, to the bit,
// and a failure reported for the x where it happens as at() reports it, with
// nothing evaluated after it.

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "enginefixture.h"

using tessaly::engine::FunctionEvaluator;
using tessaly::engine::FunctionValue;
using tessaly::engine::testing::WindowEngine;

namespace {

std::vector<double> grid(std::size_t n, double from, double step)
{
    std::vector<double> xs(n);
    for (std::size_t i = 0; i < n; ++i)
        xs[i] = from + step * static_cast<double>(i);
    return xs;
}

// A right-nested sum of depth terms: its stack takes more than a block of 256
// lanes can, so the block is narrower.
std::string deep(int depth)
{
    std::string text;
    for (int i = 0; i < depth; ++i)
        text += "x+(";
    text += "x";
    text += std::string(static_cast<std::size_t>(depth), ')');
    return text;
}

TEST(Block, TabulatesWhatAtGivesAndLeavesOpenWhereItFails)
{
    WindowEngine w;
    ASSERT_EQ(w.engine.executeStatement("a=2.37"), 0);
    int told = 0;
    w.engine.setErrorObserver([&](const auto&) { ++told; });
    std::int32_t windowError = 0;
    w.object.attachErrorField(&windowError);
    std::vector<double> xs = grid(700, -8, 16.0 / 699);
    xs[300] = 0;  // 1/x, Log(x) fail; Atanh(x/8) fails at 8 and -8 (the ends)
    for (const std::string& text :
         std::vector<std::string>{"pi/3*x*sin(x)*tanh(x)", "x^5-3*x^3+2*x-1", "a*x*x+1/x", "Log(x)+Atanh(x/8)",
                                  "Sqr(Abs(x))*Log(1+x*x)/(1+Exp(-x))", "x\\2 + (x>1) + Round(x,1)", "(x-1)^2*(x+2)",
                                  "(x/3+1)^-7", "x/Atn(x)-x*Asin(x)", "x-Sin(x)+x*Cos(x)*Tanh(x)", deep(700)}) {
        FunctionEvaluator f(w.engine, w.object, text);
        std::vector<double> values(xs.size());
        std::vector<std::uint8_t> known(xs.size());
        w.object.x = 12345;
        w.object.ierr = 77;
        f.tabulate(xs.data(), xs.size(), values.data(), known.data());
        EXPECT_EQ(w.object.x, 12345) << "tabulating writes nothing";
        EXPECT_EQ(w.object.ierr, 77);
        EXPECT_EQ(told, 0);
        EXPECT_EQ(windowError, 0);
        for (std::size_t i = 0; i < xs.size(); ++i) {
            const FunctionValue v = f.at(xs[i]);
            EXPECT_EQ(known[i], v.error == 0) << text << " at " << xs[i];
            if (known[i]) {
                EXPECT_EQ(std::bit_cast<std::uint64_t>(values[i]), std::bit_cast<std::uint64_t>(v.value))
                    << text << " at " << xs[i];
            }
        }
        told = 0;
        windowError = 0;
    }
}

// f fails at one x: 1/(x - k) at k, and the extension object's Atanh((x - k)/1000 + 1)
// (11, stored by the object) at k. atEach stops there as a loop over at() does.
TEST(Block, AtEachStopsAtTheFirstFailureAsAtDoes)
{
    for (const std::size_t failing :
         {std::size_t{0}, std::size_t{137}, std::size_t{255}, std::size_t{256}, std::size_t{511}, std::size_t{599}}) {
        for (const std::string text : {"1/(x-k)", "Atanh((x-k)/1000+1)"}) {
            WindowEngine w;
            const std::vector<double> xs = grid(600, 0, 1);
            ASSERT_EQ(w.engine.executeStatement("k=" + std::to_string(failing)), 0);
            std::vector<std::int32_t> told;
            w.engine.setErrorObserver([&](const auto& e) { told.push_back(e.number); });
            std::int32_t windowError = 0;
            w.object.attachErrorField(&windowError);
            FunctionEvaluator f(w.engine, w.object, text);
            std::vector<double> values(xs.size());
            FunctionValue failure;
            EXPECT_EQ(f.atEach(xs.data(), xs.size(), values.data(), failure), failing) << text;
            EXPECT_EQ(failure.error, 11) << text;
            EXPECT_EQ(w.object.x, xs[failing]) << "x of the failing value, nothing after it";
            // 1/(x-k) fails in the engine (told once); Atanh stores 11 in the
            // object and its fields, the engine itself tells nothing.
            EXPECT_EQ(told, text[0] == '1' ? std::vector<std::int32_t>{11} : std::vector<std::int32_t>{}) << text;
            EXPECT_EQ(windowError, text[0] == '1' ? 0 : 11) << text;
            EXPECT_EQ(w.object.ierr, text[0] == '1' ? 0 : 11) << text;
            for (std::size_t i = 0; i < failing; ++i)
                ASSERT_EQ(values[i], f.at(xs[i]).value) << text << " at " << xs[i];
        }
    }
}

// A lane is left open exactly where its value is not finite: the largest
// doubles, the smallest and -0 are values; twice the largest overflows (6).
TEST(Block, LeavesOpenExactlyTheValuesThatAreNotFinite)
{
    WindowEngine w;
    constexpr double kMax = std::numeric_limits<double>::max();
    const std::vector<double> xs = {kMax, -kMax, std::numeric_limits<double>::denorm_min(), -0.0, 1};
    for (const auto& [text, open] : {std::pair{"x*1", std::vector<std::uint8_t>{0, 0, 0, 0, 0}},
                                     std::pair{"x*2", std::vector<std::uint8_t>{1, 1, 0, 0, 0}},
                                     std::pair{"x/x", std::vector<std::uint8_t>{0, 0, 0, 1, 0}}}) {
        const std::string formula = text;
        FunctionEvaluator f(w.engine, w.object, formula);
        std::vector<double> values(xs.size());
        std::vector<std::uint8_t> known(xs.size());
        f.tabulate(xs.data(), xs.size(), values.data(), known.data());
        for (std::size_t i = 0; i < xs.size(); ++i) {
            EXPECT_EQ(known[i], !open[i]) << text << " at " << xs[i];
            EXPECT_EQ(f.at(xs[i]).error != 0, open[i] != 0) << text << " at " << xs[i];
        }
    }
}

TEST(Block, AtEachLeavesTheObjectAsTheLastValueDoes)
{
    WindowEngine w;
    const std::string text = "x*x";
    FunctionEvaluator f(w.engine, w.object, text);
    const std::vector<double> xs = grid(300, 1, 1);
    std::vector<double> values(xs.size());
    FunctionValue failure;
    w.object.ierr = 5;
    EXPECT_EQ(f.atEach(xs.data(), xs.size(), values.data(), failure), xs.size());
    EXPECT_EQ(failure.error, 0);
    EXPECT_EQ(values[299], 90000);
    EXPECT_EQ(w.object.x, 300);
    EXPECT_EQ(w.object.ierr, 0);
}

TEST(Block, TextsAreLeftToAt)
{
    WindowEngine w;
    const std::string text = "\"1\" & x";
    FunctionEvaluator f(w.engine, w.object, text);
    const double xs[] = {1, 2};
    double values[2];
    std::uint8_t known[2] = {1, 1};
    f.tabulate(xs, 2, values, known);
    EXPECT_EQ(known[0] + known[1], 0);
    FunctionValue failure;
    EXPECT_EQ(f.atEach(xs, 2, values, failure), 2u);
    EXPECT_EQ(values[1], 12);
}

}  // namespace
