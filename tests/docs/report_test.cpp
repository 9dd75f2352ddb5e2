#include "docs/report.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace tessaly::docs;
using namespace tessaly::record;

namespace {

ReportInput plainStudy()
{
    ReportInput in;
    in.texts = tessaly::record::defaultTexts();
    in.errorBoundValue = 0.01;
    return in;
}

// The lines as plain text, a red piece marked by braces.
std::vector<std::string> texts(const std::vector<ReportLine>& lines)
{
    std::vector<std::string> out;
    for (const auto& line : lines) {
        std::string s;
        for (const auto& span : line) {
            if (span.red)
                s += '{';
            s += span.text;
            if (span.red)
                s += '}';
        }
        out.push_back(s);
    }
    return out;
}

TEST(Report, NumbersAndCaption)
{
    EXPECT_EQ(reportNumber(2.5), " 2.5 ");
    EXPECT_EQ(reportNumber(-1), "-1 ");
    EXPECT_EQ(reportNumber(0), " 0 ");
    EXPECT_EQ(reportNumber(1e-20), " 1E-20 ");
    EXPECT_EQ(reportCaption(0), "Plot of Function");
    EXPECT_EQ(reportCaption(2), "Plot of derivative # 2 ");
}

TEST(Report, AStudyWithoutResultsHasTheThreeFixedSections)
{
    const std::vector<std::string> expected = {
        "",
        "FUNCTION:",
        "pi/3*x*sin(x)*tanh(x)",
        "",
        "    INTERVAL STUDIED: [-8,8]",
        "   # OF SUBINTERVALS: 256",
        "MAX. # OF ITERATIONS: 20",
        "       MAXIMUM ERROR: .01",
        "",
        "PLOT SETUP:",
        "",
        "     AXES: [0,0]",
        "DIVISIONS: [1,1]",
        " X-WINDOW: [-20,20]",
        " Y-WINDOW: [-15,15]",
    };
    EXPECT_EQ(texts(reportLines(plainStudy())), expected);
}

TEST(Report, ResultsInTheirOrderWithPossibleRootsInRed)
{
    ReportInput in = plainStudy();
    in.constants = {std::string("a=2.37"), std::string("b=a*2")};
    in.integralValid = true;
    in.integralValue = -12.5;
    in.roots = {-3.14159265510742, 0};
    in.maxima = {{2, 0.01}, {-2, 0.0100001}, {4, 0, 5}};
    in.minima = {{-1.5, -0.005}};
    const std::vector<std::string> expected = {
        "",
        "FUNCTION:",
        "pi/3*x*sin(x)*tanh(x)",
        "",
        "CONSTANTS:",
        "a=2.37",
        "b=a*2",
        "",
        "    INTERVAL STUDIED: [-8,8]",
        "   # OF SUBINTERVALS: 256",
        "MAX. # OF ITERATIONS: 20",
        "       MAXIMUM ERROR: .01",
        "",
        "INTEGRAL= -12.5 ",
        "",
        "ROOTS:",
        "-3.14159265510742 ",
        " 0 ",
        "",
        "MAXIMA:",
        "[ 2 , 0.01 ]{***POSSIBLE ROOT}",  // |f| equal to the bound counts
        "[-2 , 0.0100001 ]",
        "[ 4 , error 5 ]",
        "",
        "MINIMA:",
        "[-1.5 ,-0.005 ]{***POSSIBLE ROOT}",
        "",
        "PLOT SETUP:",
        "",
        "     AXES: [0,0]",
        "DIVISIONS: [1,1]",
        " X-WINDOW: [-20,20]",
        " Y-WINDOW: [-15,15]",
    };
    EXPECT_EQ(texts(reportLines(in)), expected);
}

TEST(Report, EachResultIsFollowedByItsBoundAndTheWarningsComeLast)
{
    ReportInput in = plainStudy();
    in.roots = {1.5, 2.5};
    in.rootNotes = {"\u00b1 0.1 (certified by a sign change)"};  // the second root has none
    in.minima = {{0, -1}};
    in.minimumNotes = {"\u00b1 0.01, height \u00b1 0.001 (certified)"};
    in.warnings = {"f may touch 0 near x = 3"};
    const auto lines = texts(reportLines(in));
    const auto at = [&lines](const std::string& line) {
        return std::find(lines.begin(), lines.end(), line) - lines.begin();
    };
    EXPECT_EQ(at("    \u00b1 0.1 (certified by a sign change)"), at(" 1.5 ") + 1);
    EXPECT_EQ(lines[static_cast<std::size_t>(at(" 2.5 ") + 1)], "") << "no line for a root without a bound";
    EXPECT_EQ(at("    \u00b1 0.01, height \u00b1 0.001 (certified)"), at("[ 0 ,-1 ]") + 1);
    EXPECT_EQ(at("WARNINGS:") + 1, at("f may touch 0 near x = 3"));
    EXPECT_LT(at("f may touch 0 near x = 3"), at("PLOT SETUP:"));
}

TEST(Report, LongLinesWrapKeepingTheirColours)
{
    const std::vector<ReportLine> lines = {
        {{"abcdefgh"}},
        {{"[ 2 , 0 ]"}, {"***POSSIBLE ROOT", true}},
        {{""}},
    };
    EXPECT_EQ(texts(wrapLines(lines, 8)),
              (std::vector<std::string>{"abcdefgh", "[ 2 , 0 ", "]{***POSS}", "{IBLE ROO}", "{T}", ""}));
    EXPECT_EQ(texts(wrapLines(lines, 100)), texts(lines));
}

}  // namespace
