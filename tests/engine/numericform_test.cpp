// The numeric evaluator's own instructions (whole powers, products of names,
// the extension object's functions) and the names it takes as constants give
// what the general evaluator gives, to the bit, with the same failures.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "enginefixture.h"

using tessaly::engine::testing::WindowEngine;

namespace {

// Each text runs on both evaluators at each x.
void expectBothEvaluatorsAgree(WindowEngine& w, const std::vector<std::string>& texts)
{
    const double xs[] = {0,    -0.0,  1,     -1,     0.5,       2.5,  -3.75, 1e-200, 1e200,
                         1e10, 709.9, -710., 1e-320, 1.0000001, 2e-8, 1e-20, -1e20,  0.1};
    for (const std::string& text : texts) {
        auto compiled = w.engine.compile(text);
        ASSERT_TRUE(compiled.program) << text;
        ASSERT_TRUE(compiled.program->hasNumericForm()) << text;
        for (const double x : xs)
            tessaly::engine::testing::expectEvaluatorsAgree(w, *compiled.program, x, text);
    }
}

const std::vector<std::string> kShapes = {
    "x^5-3*x^3+2*x-1", "a*x*x+b*x+c", "x*a*x", "2*x*x", "x*x*x", "x*2", "a*x", "x^0", "x^1", "x^-1", "x^-16", "x^16",
    "x^17", "(x+1)^-3", "x^-2.5", "x^a", "-a^2*x", "pi/3*x*Sin(x)*Tanh(x)", "Asin(x)+Acos(x)", "Sinh(x)*Cosh(x)",
    "Asinh(x)", "Acosh(x)", "Atanh(x)", "Tanh(x)+ierr", "1/a+x", "a\\2+x", "CInt(a)*x", "Tanh(a)*x", "Exp(x)*Log(x)",
    "Sqr(x)+Tan(x)", "x Mod 3 + (x > a)", "Atn(b)*x", "Round(x, 2)", "2*Sin(x)+3*x^2", "0.5+Tanh(x)", "-1*x*x",
    "1E308*x*x*x+1E308*Exp(x)",
    // a number times or plus what several instructions compute
    "1+Exp(-x)", "-x", "-x-x*Exp(-x)", "2*(x+1)*(x-a)", "a*(b*x+1)+c", "3*Sin(2*x)+1/(1+x*x)", "2*ierr+1",
    // a value plus or minus a number times a name
    "Sin(x)-a*x", "x^2+1E308*x", "Exp(x)-2*x+3*x", "1E308*x*x-1E308*x",
    // and the operations that do not commute, left as they are
    "2-Sin(x)", "2/(x+1)", "2^(x*0.5)", "2\\(x+1)",
    // programs of instructions that call nothing, which run on an evaluator of their own
    "(x > 1) - (x <= a) + (x = 0) - (x <> 2) + (x < b) - (x >= c)", "Abs(x)*x/a-Abs(x-1)", "1/x-x/3", "x/b+a/x",
    "-(x*x)+x*x*x*c",
    // a function of a name joined with the operation after it
    "x*Sin(x)", "x-Cos(x)", "x/Atn(x)", "x+Sin(x)*Atn(x)", "x*Asin(x)+x*Acos(x)", "x*Sinh(x)*Cosh(x)*Tanh(x)",
    "x*Asinh(x)*Acosh(x)*Atanh(x)"};

TEST(NumericForm, AgreesWithTheGeneralForm)
{
    WindowEngine w;
    for (const char* s : {"a=2.37", "b=-1.5", "c=0.25"})
        ASSERT_EQ(w.engine.executeStatement(s), 0);
    expectBothEvaluatorsAgree(w, kShapes);
}

TEST(NumericForm, AgreesWhereTheNamesMakeOperationsFail)
{
    WindowEngine w;
    for (const char* s : {"a=0", "b=1E300", "c=-1E308", "pi=0"})
        ASSERT_EQ(w.engine.executeStatement(s), 0);
    expectBothEvaluatorsAgree(w, kShapes);
}

// The names other than x are taken as constants while they keep their values;
// every new value is seen.
TEST(NumericForm, SeesEveryNewValueOfAName)
{
    WindowEngine w;
    ASSERT_EQ(w.engine.executeStatement("a=2"), 0);
    EXPECT_EQ(w.value("a*x+1/a", 3).value, 6.5);
    ASSERT_EQ(w.engine.executeStatement("a=4"), 0);
    EXPECT_EQ(w.value("a*x+1/a", 3).value, 12.25);
    ASSERT_EQ(w.engine.executeStatement("a=0"), 0);
    EXPECT_EQ(w.value("a*x+1/a", 3).error, 11) << "not computed in advance: it fails when it runs";
    ASSERT_EQ(w.engine.executeStatement("a=\"5\""), 0);
    EXPECT_EQ(w.value("a*x+1/a", 3).value, 15.2) << "a text: the general evaluator";
    ASSERT_EQ(w.engine.executeStatement("a=True"), 0);
    EXPECT_EQ(w.value("a*x+1/a", 3).value, -4);

    // Another engine sharing the extension object assigns its pi.
    tessaly::engine::Engine other;
    other.addObject(w.object);
    const double pi = w.value("pi/3*x", 3).value;
    ASSERT_EQ(other.executeStatement("pi=6"), 0);
    EXPECT_EQ(w.value("pi/3*x", 3).value, 6);
    ASSERT_EQ(other.executeStatement("pi=Atn(1)*4"), 0);
    EXPECT_EQ(w.value("pi/3*x", 3).value, pi);
}

TEST(NumericForm, WholePowersFailAsPowDoes)
{
    WindowEngine w;
    struct Row {
        const char* text;
        double x;
        std::int32_t error;
        double value;
    };
    const Row rows[] = {
        {"x^-2", 0, 11, 0},     {"x^-16", 1e-20, 6, 0},        {"x^16", 1e20, 6, 0},
        {"x^0", 0, 0, 1},       {"x^1", -0.0, 0, -0.0},        {"x^-1", 4, 0, 0.25},
        {"x^3", -2, 0, -8},     {"(x-1)^(1/3)", -7, 5, 0},     {"x^-16", 0.5, 0, 65536},
        {"x^2", 0x1p512, 6, 0}, {"x^2", 0x1p511, 0, 0x1p1022},
    };
    for (const Row& r : rows) {
        const auto v = w.value(r.text, r.x);
        EXPECT_EQ(v.error, r.error) << r.text << " at " << r.x;
        if (r.error == 0) {
            EXPECT_EQ(v.value, r.value) << r.text << " at " << r.x;
        }
    }
}

}  // namespace
