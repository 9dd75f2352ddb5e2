#include "numeric/rootfinder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "common/numbertext.h"
#include "studyfixture.h"

using tessaly::numeric::findRoots;
using tessaly::numeric::RootsOutcome;
using tessaly::numeric::StudyInputs;

namespace {

// A study evaluated as the main window evaluates it, with the Roots command.
struct Study : tessaly::numeric::testing::Study {
    RootsOutcome roots(const std::string& f, double a, double b, int n, double e = 0.01, int m = 20)
    {
        auto function = this->function(f);
        return findRoots(function, inputs(f, a, b, n, e, m));
    }
};

TEST(Roots, DefaultStudyFindsFiveRootsWithZeroMetOnTheGrid)
{
    Study s;
    const auto r = s.roots("pi/3*x*sin(x)*tanh(x)", -8, 8, 256);
    ASSERT_EQ(r.label, "5 roots");
    ASSERT_EQ(r.rows.size(), 5u);
    EXPECT_EQ(r.rows[2], "0");
    const double pi = std::atan(1.0) * 4;
    const double expected[] = {-2 * pi, -pi, 0, pi, 2 * pi};
    for (int i = 0; i < 5; ++i) {
        EXPECT_NEAR(r.roots[static_cast<std::size_t>(i)], expected[i], 1e-6) << i;
        EXPECT_EQ(r.rows[static_cast<std::size_t>(i)],
                  tessaly::common::numberText(r.roots[static_cast<std::size_t>(i)]));
    }
    EXPECT_EQ(r.error, 0);
    EXPECT_TRUE(s.messages.empty());
}

struct RootRow {
    const char* f;
    double a, b;
    int n;
    std::vector<std::string> rows;  // expected rows (exact texts)
    const char* label;              // nullptr when the command ends without one
    int error;                      // the number the trap recorded last
};

void PrintTo(const RootRow& r, std::ostream* os) { *os << r.f << " on [" << r.a << ", " << r.b << "] N=" << r.n; }

class RootRows : public ::testing::TestWithParam<RootRow> {};

TEST_P(RootRows, ListAndLabel)
{
    Study s;
    const RootRow& row = GetParam();
    const auto r = s.roots(row.f, row.a, row.b, row.n);
    EXPECT_EQ(r.rows, row.rows);
    if (row.label)
        EXPECT_EQ(r.label, std::string(row.label));
    else
        EXPECT_FALSE(r.label.has_value());
    EXPECT_EQ(r.error, row.error);
}

using Rows = std::vector<std::string>;

INSTANTIATE_TEST_SUITE_P(
    Edges, RootRows,
    ::testing::Values(
        RootRow{"x", 1, 1, 256, {}, "0 roots", 0},                    // a = b
        RootRow{"x", 2, 1, 256, {}, "0 roots", 0},                    // a > b
        RootRow{"x+8", -8, 8, 16, {"-8"}, "1 roots", 0},              // a zero exactly at a
        RootRow{"x-8", -8, 8, 16, {"8"}, "1 roots", 0},               // at b, met as a following grid point
        RootRow{"x*(x-1)*(x-2)", 0, 2, 2, {"0", "1"}, "2 roots", 0},  // at b as the first point of a run: not examined
        RootRow{"1/x", -1, 1, 256, {}, "0 roots", 11},                // the grid meets 0: restart, no root across it
        RootRow{"x*x", -1, 1, 256, {"0"}, "1 roots", 0},              // a touching zero on the grid
        RootRow{"x*x", -1, 1, 255, {}, "0 roots", 0},                 // ... and off the grid
        RootRow{"Sqr(x)-1", -3, 3, 6, {"1"}, "1 roots", 5},           // undefined left of 0
        RootRow{"Asin(x/2)", -3, 3, 6, {"0"}, "1 roots", 5},          // the object's failures are tolerated too
        RootRow{"x", -1, 1, 0, {}, nullptr, 5},                       // no grid: cannot be scanned
        RootRow{"x", -1, 1, -4, {}, nullptr, 5},
        RootRow{"x-1E10", 1E10, 1E10 + 1E-4, 256, {}, nullptr, 5},  // a step that does not move x
        RootRow{"x", -1E308, 1E308, 2, {}, nullptr, 6},             // b - a overflows: no grid either
        RootRow{"Tan(x)", 1.5218, 1.6218, 1, {}, "0 roots", 0},     // a pole is not a root
        RootRow{"2+", -1, 1, 4, {}, nullptr, 1002},                 // a syntax error ends the command
        RootRow{"foo(x)", -1, 1, 4, {}, nullptr, 13}));

TEST(Roots, NewtonFindsTheRootInsideABracket)
{
    Study s;
    const auto r = s.roots("x^3-2", 0, 2, 4, 1e-12);
    ASSERT_EQ(r.roots.size(), 1u);
    EXPECT_NEAR(r.roots[0], std::cbrt(2.0), 1e-12);
    EXPECT_EQ(r.label, "1 roots");
}

TEST(Roots, ARealRootOfAFunctionWithPolesIsKept)
{
    Study s;
    const auto r = s.roots("Tan(x)", 3.0, 3.3, 1);
    ASSERT_EQ(r.roots.size(), 1u);
    EXPECT_NEAR(r.roots[0], std::atan(1.0) * 4, 1e-5);
}

TEST(Roots, NonConvergingRefinementRecordsNothing)
{
    Study s;
    // one Newton step from the midpoint cannot get within 1E-15
    const auto r = s.roots("x^3-2", 0, 2, 4, 1e-15, 1);
    EXPECT_TRUE(r.rows.empty());
    EXPECT_EQ(r.label, "0 roots");
}

TEST(Roots, SyntaxErrorIsReportedOnceAndWritesNoLabel)
{
    Study s;
    const auto r = s.roots("2+", -1, 1, 4);
    EXPECT_FALSE(r.label.has_value());
    ASSERT_EQ(s.messages.size(), 1u);
    EXPECT_EQ(s.messages[0].number, 1002);
}

TEST(Roots, TableHoldsTwoHundredFiftyFiveRoots)
{
    Study s;
    // Sin(x) has a root every pi: about 318 in [0.5, 1000]
    const auto r = s.roots("Sin(x)", 0.5, 1000, 8192);
    EXPECT_TRUE(r.tableFull);
    EXPECT_EQ(r.rows.size(), 255u);
    EXPECT_EQ(r.roots.size(), 255u);
    EXPECT_EQ(r.label, "255 roots");
    EXPECT_EQ(r.error, 9);
    EXPECT_NEAR(r.roots.back(), 255 * std::atan(1.0) * 4, 1e-6);
}

TEST(Roots, WorkingValuesLeftBehind)
{
    Study s;
    const auto r = s.roots("x-0.3", 0, 1, 4);
    EXPECT_EQ(r.currentX, 1.25);  // the point past b that ended the scan
}

using tessaly::numeric::testing::Scripted;

TEST(Roots, FailureInsideARefinementRestartsAfterTheBracket)
{
    Scripted s;
    // a sign change between 0 and 1; the refinement's first probe fails
    s.f = [](double x) -> tessaly::engine::FunctionValue {
        if (x == 0.5)
            return {0, 6};
        return {x - 0.7, 0};
    };
    StudyInputs in;
    in.lower = 0;
    in.upper = 2;
    in.subintervals = 2;
    in.errorBound = 0.01;
    in.maxIterations = 20;
    const auto r = findRoots(s, in);
    EXPECT_TRUE(r.rows.empty()) << "the sign change across the failing refinement is not reported";
    EXPECT_EQ(r.label, "0 roots");
    EXPECT_EQ(r.error, 6);
    // 0, 1 (sign change), 0.5 (fails), then a new run from 2, which is b: the end
    EXPECT_EQ(s.asked, (std::vector<double>{0, 1, 0.5}));
}

TEST(Roots, ARefinementThatConvergesOnItsLastAllowedStepFindsTheRoot)
{
    // From the midpoint 0.5 Newton lands on 0.3 at the first step (0.2 away)
    // and stays there at the second: converged at step 2 exactly.
    struct Row {
        int maxIterations;
        std::vector<std::string> rows;
    };
    for (const Row& row : {Row{1, {}}, Row{2, {"0.3"}}}) {
        Study s;
        const auto r = s.roots("x-0.3", 0, 1, 1, 0.01, row.maxIterations);
        EXPECT_EQ(r.rows, row.rows) << row.maxIterations;
        EXPECT_EQ(r.label, std::to_string(row.rows.size()) + " roots");
    }
}

TEST(Roots, APoleNeedsBothEndsBelowTheConvergedValue)
{
    // A sign change between 0 and 1 whose refinement converges at once (a steep
    // wall around 0.5) where f is 2: not a root only when |2| is above |f| at
    // both ends of the bracket.
    struct Row {
        double atLower, atUpper;
        bool root;
    };
    const Row rows[] = {{-1, 4, true}, {-4, 1, true}, {-1, 1, false}, {-4, 4, true}};
    for (const Row& row : rows) {
        Scripted s;
        s.f = [row](double x) -> tessaly::engine::FunctionValue {
            if (x == 0)
                return {row.atLower, 0};
            if (x == 1)
                return {row.atUpper, 0};
            if (std::fabs(x - 0.5) < 1e-7)
                return {2, 0};
            return {x > 0.5 ? 1e9 : -1e9, 0};
        };
        StudyInputs in;
        in.lower = 0;
        in.upper = 1;
        in.subintervals = 1;
        in.errorBound = 0.01;
        in.maxIterations = 20;
        const auto r = findRoots(s, in);
        EXPECT_EQ(r.roots.size(), row.root ? 1u : 0u) << row.atLower << " " << row.atUpper;
    }
}

}  // namespace
