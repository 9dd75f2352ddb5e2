#include "numeric/extremafinder.h"

#include <gtest/gtest.h>

#include "studyfixture.h"

using tessaly::numeric::ExtremaOutcome;
using tessaly::numeric::findExtrema;
using tessaly::numeric::testing::Study;

namespace {

ExtremaOutcome extrema(Study& s, const std::string& f, double a, double b, int n, double e = 0.01, int m = 20)
{
    auto function = s.function(f);
    return findExtrema(function, Study::inputs(f, a, b, n, e, m));
}

TEST(Extrema, DefaultStudyHasThreeMaximaAndThreeMinima)
{
    Study s;
    const auto r = extrema(s, "pi/3*x*sin(x)*tanh(x)", -8, 8, 256);
    EXPECT_EQ(r.label, "3 max. 3 min. ");
    ASSERT_EQ(r.rows.size(), 6u);
    // f'(x) = 0 solved independently (bisection on the derivative's formula)
    const double minima[] = {-7.978666167866861, -2.0709226982649205, 4.913379858632535};
    const double maxima[] = {-4.913379858632536, 2.07092269826492, 7.9786661678668604};
    ASSERT_EQ(r.minPositions.size(), 3u);
    ASSERT_EQ(r.maxPositions.size(), 3u);
    for (int k = 0; k < 3; ++k) {
        EXPECT_NEAR(r.minPositions[static_cast<std::size_t>(k)], minima[k], 0.01);
        EXPECT_NEAR(r.maxPositions[static_cast<std::size_t>(k)], maxima[k], 0.01);
    }
    EXPECT_EQ(r.rows[0].substr(0, 6), "MIN: [");
    EXPECT_EQ(r.rows[1].substr(0, 6), "MAX: [");
    // Each row's extremum, in the rows' order.
    ASSERT_EQ(r.found.size(), r.rows.size());
    for (std::size_t k = 0; k < r.rows.size(); ++k)
        EXPECT_EQ(tessaly::numeric::extremumRow(r.found[k].maximum, true, r.found[k].x, r.found[k].y), r.rows[k]);
    EXPECT_EQ(r.possibleRoots, 0);
    EXPECT_TRUE(s.messages.empty());
}

TEST(Extrema, AMinimumMetOnTheGridIsAlsoAPossibleRoot)
{
    Study s;
    const auto r = extrema(s, "x*x", -8, 8, 256);
    EXPECT_EQ(r.rows, std::vector<std::string>{"MIN: [0 , 0]"});
    EXPECT_EQ(r.label, "0 max. 1 min. 1 possible root(s).");
}

TEST(Extrema, AHeightExactlyAtTheErrorBoundIsAPossibleRoot)
{
    // On the grid (x = 0) and after a refinement (x near 0.3), |f| = 0.25 exactly.
    struct Row {
        const char* f;
        double e;
        const char* label;
    };
    const Row rows[] = {
        {"x*x+0.25", 0.25, "0 max. 1 min. 1 possible root(s)."},
        {"x*x+0.25", 0.2499999, "0 max. 1 min. "},
        {"(x-0.3)^2+0.25", 0.25, "0 max. 1 min. 1 possible root(s)."},
        {"(x-0.3)^2+0.25", 0.2499999, "0 max. 1 min. "},
    };
    for (const Row& row : rows) {
        Study s;
        EXPECT_EQ(extrema(s, row.f, -1, 1, 2, row.e).label, row.label) << row.f << " E=" << row.e;
    }
}

TEST(Extrema, AMinimumBetweenGridPointsIsRefined)
{
    Study s;
    const auto r = extrema(s, "(x-0.3)*(x-0.3)", -1, 1, 4);
    ASSERT_EQ(r.minPositions.size(), 1u);
    EXPECT_NEAR(r.minPositions[0], 0.3, 0.01);
    EXPECT_EQ(r.rows[0].substr(0, 6), "MIN: [");
    EXPECT_EQ(r.label, "0 max. 1 min. 1 possible root(s).");
}

TEST(Extrema, AMaximumAtTheFirstGridPointHasTheUnspacedRow)
{
    Study s;
    // the first grid point of the run is the top of the parabola
    const auto r = extrema(s, "1-x*x", 0, 1, 4);
    ASSERT_FALSE(r.rows.empty());
    EXPECT_EQ(r.rows[0], "MAX:[0 , 1]");
    ASSERT_EQ(r.found.size(), r.rows.size());
    EXPECT_TRUE(r.found[0].maximum);
    EXPECT_EQ(r.found[0].y, 1);
}

struct LabelRow {
    const char* f;
    double a, b;
    int n;
    const char* label;  // nullptr: the command ends without one
    int error;
};

void PrintTo(const LabelRow& r, std::ostream* os) { *os << r.f << " on [" << r.a << ", " << r.b << "] N=" << r.n; }

class ExtremaLabels : public ::testing::TestWithParam<LabelRow> {};

TEST_P(ExtremaLabels, LabelAndError)
{
    Study s;
    const auto r = extrema(s, GetParam().f, GetParam().a, GetParam().b, GetParam().n);
    if (GetParam().label)
        EXPECT_EQ(r.label, std::string(GetParam().label));
    else
        EXPECT_FALSE(r.label.has_value());
    EXPECT_EQ(r.error, GetParam().error);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ExtremaLabels,
    ::testing::Values(LabelRow{"x*x", 1, 1, 4, "0 max. 0 min. ", 0}, LabelRow{"x*x", 2, 1, 4, "0 max. 0 min. ", 0},
                      LabelRow{"0", 0, 1, 4, "0 max. 0 min. 5 possible root(s).", 0},  // every grid point, none a row
                      LabelRow{"Log(x)*Log(x)", -1, 1, 8, "0 max. 0 min. ",
                               5},  // the minimum at b is seen from one side only
                      LabelRow{"Log(x)*Log(x)", -1, 2, 12, "0 max. 1 min. 1 possible root(s).", 5},
                      LabelRow{"x*x", -1, 1, 0, nullptr, 5}, LabelRow{"x", 1E10, 1E10 + 1E-4, 256, nullptr, 5},
                      LabelRow{"2+", -1, 1, 4, nullptr, 1002}));

TEST(Extrema, TablesHoldTwoHundredFiftyFiveOfEachKind)
{
    Study s;
    const auto r = extrema(s, "Sin(x)", 0.5, 1700, 32768);
    EXPECT_TRUE(r.tableFull);
    EXPECT_EQ(r.maxPositions.size(), 255u);
    EXPECT_EQ(r.minPositions.size(), 255u);
    EXPECT_EQ(r.rows.size(), 510u);
    EXPECT_EQ(r.label, "255 max. 255 min. ");
}

TEST(Extrema, RowsWriteNumberTexts)
{
    EXPECT_EQ(tessaly::numeric::extremumRow(false, true, 0, -1), "MIN: [0 , -1]");
    EXPECT_EQ(tessaly::numeric::extremumRow(true, false, 0.5, 1e-5), "MAX:[0.5 , 1E-05]");
}

}  // namespace
