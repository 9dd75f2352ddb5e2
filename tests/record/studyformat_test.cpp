// The study file's text: its layout, what reads back, and damaged text.

#include "record/studyformat.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "recordfixture.h"

using namespace tessaly::record;
using namespace tessaly::record::testing;

namespace {

TEST(StudyFile, WritesTheKnownLayout)
{
    EXPECT_EQ(formatStudy(defaultsWithConstant(), {}), kStudyWithOneConstant);

    StudyResults twoRoots;
    twoRoots.roots = {-1.5, 2};
    EXPECT_EQ(formatStudy(defaultsWithConstant(), twoRoots),
              "\"Tessaly\"\r\n\"pi/3*x*sin(x)*tanh(x)\",-8,8,256,0.01,20,#FALSE#,2,0,0,0\r\n"
              "-20,20,-15,15,1,0,0,1,1\r\n1\r\n\"a=2.37\"\r\n-1.5\r\n2\r\n");

    // Integral, roots, maxima, minima in that order, after the constants.
    const std::string all = formatStudy(defaultsWithConstant(), someResults());
    EXPECT_NE(all.find(",20,#TRUE#,3,1,1,2\r\n"), std::string::npos);
    EXPECT_TRUE(
        all.ends_with("\"a=2.37\"\r\n-12.3456789012345\r\n-6.28318590611842\r\n0\r\n3.14159265510742\r\n"
                      "1.5E-20\r\n-2.5\r\n4\r\n"))
        << all;
}

TEST(StudyFile, WritesTheFieldsValuesNotTheirTexts)
{
    SettingsItems items = defaultsWithConstant();
    items.numbers[0] = 1500;         // a field "1.5e3x"
    items.numbers[2] = 300.5;        // a count as typed, not yet whole
    items.numbers[5] = 0.123456789;  // a plot limit with more digits than a single keeps
    items.numbers[3] = 1e20;
    const std::string text = formatStudy(items, {});
    EXPECT_NE(text.find(",1500,8,300.5,1E+20,20,"), std::string::npos) << text;
    EXPECT_NE(text.find("\r\n0.123456789,20,"), std::string::npos) << text;

    const ParsedStudy back = parseStudy(text);
    ASSERT_TRUE(back.study) << back.problem;
    EXPECT_EQ(back.study->record.subintervals, 300) << "half to even";
    EXPECT_EQ(back.study->record.windowLx, static_cast<float>(0.123456789));
    EXPECT_EQ(fieldTexts(back.study->record).numbers[5], ".1234568");
}

TEST(StudyFile, RoundTripsRecordAndResults)
{
    StudyRecord r;
    r.equation = "a*x^2 + \"q\"";  // a quote inside the text
    r.lower = -0.5;
    r.upper = 1e20;
    r.subintervals = 1024;
    r.errorBound = 1e-7;
    r.maxIterations = 9;
    r.windowLx = -20.5f;
    r.windowGx = 3.5f;
    r.windowLy = -0.25f;
    r.windowGy = 1e30f;
    r.plotStep = 80;
    r.originX = -1;
    r.originY = 2;
    r.divisionX = -0.5f;
    r.divisionY = 7;
    r.constants = {"a=2.37", "b=a*2"};
    const ParsedStudy back = parseStudy(formatStudy(itemsOf(r), someResults()));
    ASSERT_TRUE(back.study) << back.problem;
    EXPECT_EQ(back.study->record, r);
    EXPECT_EQ(back.study->results, someResults());
}

TEST(StudyFile, ReadsWhatTheFormatAllows)
{
    // Blanks before items, LF line ends, items spread over other lines, unquoted
    // text, trailing content: the reader takes items one after another.
    const ParsedStudy loose =
        parseStudy("Tessaly\n \"x\", -1 ,1,4,.5,3,#TRUE#,1,0,0,0\n-2,2\n-3,3,2,0,0,1,1,0\n7.25\n0.5\nanything after\n");
    ASSERT_TRUE(loose.study) << loose.problem;
    EXPECT_EQ(loose.study->record.equation, "x");
    EXPECT_EQ(loose.study->record.lower, -1);
    EXPECT_EQ(loose.study->record.plotStep, 2);
    EXPECT_EQ(loose.study->results.integralValue, 7.25);
    EXPECT_EQ(loose.study->results.roots, std::vector<double>{0.5});
}

struct DamagedRow {
    const char* what;
    std::string text;
    const char* problem;  // nullptr: any problem will do
};

TEST(StudyFile, RefusesDamagedTextSayingWhere)
{
    const std::string good = formatStudy(defaultsWithConstant(), someResults());
    const std::string plot = "\r\n-20,20,-15,15,1,0,0,1,1\r\n";
    std::vector<DamagedRow> rows = {
        {"empty", "", "line 1: the file ends where an item was expected"},
        {"letter case of the tag", "\"TESSALY\"" + good.substr(9), "line 1: \"TESSALY\" is not \"Tessaly\""},
        {"another tag", "\"Tessaly file\"" + good.substr(9), "line 1: \"Tessaly file\" is not \"Tessaly\""},
        {"a settings file", "\"pi/3*x*sin(x)*tanh(x)\"\r\n-8\r\n8\r\n", nullptr},
        {"a quote that never closes", "\"Tessaly\"\r\n\"x,-8,8,256,0.01,20,#FALSE#,0,0,0,0\r\n",
         "line 2: a quote that never closes"},
        {"a count of roots beyond the table",
         "\"Tessaly\"\r\n\"x\",-8,8,256,0.01,20,#FALSE#,256,0,0,0" + plot + "0\r\n",
         "line 2: \"256\" is not a root count from 0 to 255"},
        {"a huge count", "\"Tessaly\"\r\n\"x\",-8,8,256,0.01,20,#FALSE#,0,0,1E+300,0" + plot + "0\r\n",
         "line 2: \"1E+300\" is not a maximum count from 0 to 255"},
        {"a negative count", "\"Tessaly\"\r\n\"x\",-8,8,256,0.01,20,#FALSE#,0,0,0,-1" + plot + "0\r\n",
         "line 2: \"-1\" is not a minimum count from 0 to 255"},
        {"102 constants", "\"Tessaly\"\r\n\"x\",-8,8,256,0.01,20,#FALSE#,0,0,0,0" + plot + "102\r\n",
         "line 4: \"102\" is not a number of constants from 0 to 101"},
        {"a truth value as a word", "\"Tessaly\"\r\n\"x\",-8,8,256,0.01,20,True,0,0,0,0" + plot + "0\r\n",
         "line 2: \"True\" is not #TRUE# or #FALSE#"},
        {"a number as text", "\"Tessaly\"\r\n\"x\",eight,8,256,0.01,20,#FALSE#,0,0,0,0" + plot + "0\r\n",
         "line 2: \"eight\" is not a number"},
        {"a two-digit exponent read as a number",
         "\"Tessaly\"\r\n\"x\",-8,8,256,1E-09x,20,#FALSE#,0,0,0,0" + plot + "0\r\n",
         "line 2: \"1E-09x\" is not a number"},
        {"a root that is not a number", "\"Tessaly\"\r\n\"x\",-8,8,256,0.01,20,#FALSE#,1,0,0,0" + plot + "0\r\nabc\r\n",
         "line 5: \"abc\" is not a number"},
        {"a root missing", "\"Tessaly\"\r\n\"x\",-8,8,256,0.01,20,#FALSE#,1,0,0,0" + plot + "0\r\n", nullptr},
        {"a 300 KB first line", std::string(300 * 1024, '7') + "\r\n" + good,
         "line 1: \"7777777777777777777777777777777777777777...\" is not \"Tessaly\""},
    };
    // Cut short after each item.
    for (std::size_t i = 0; i + 2 < good.size(); ++i)
        if (good[i] == ',' || good[i] == '\n')
            rows.push_back({"truncated", good.substr(0, i), nullptr});
    for (const auto& row : rows) {
        const ParsedStudy parsed = parseStudy(row.text);
        EXPECT_FALSE(parsed.study) << row.what << ": " << row.text.substr(0, 120);
        EXPECT_FALSE(parsed.problem.empty()) << row.what;
        if (row.problem) {
            EXPECT_EQ(parsed.problem, row.problem) << row.what;
        }
    }
}

TEST(StudyFile, FullTablesAndOldLineEndsReadBack)
{
    StudyResults full;
    for (int k = 1; k <= 255; ++k) {
        full.roots.push_back(k);
        full.maxima.push_back(-k);
        full.minima.push_back(k / 2.0);
    }
    const ParsedStudy back = parseStudy(formatStudy(defaultsWithConstant(), full));
    ASSERT_TRUE(back.study) << back.problem;
    EXPECT_EQ(back.study->results, full) << "255 of each kind is the table's size, not beyond it";

    // Lines ended by CR alone are counted as lines.
    const ParsedStudy cr =
        parseStudy("\"Tessaly\"\r\"x\",-8,8,256,0.01,20,#FALSE#,0,0,0,0\r-20,20,-15,x15,1,0,0,1,1\r0\r");
    EXPECT_EQ(cr.problem, "line 3: \"x15\" is not a number");
}

TEST(StudyFile, ValuesAFieldWouldRefuseTakeTheirDefaultsAndAreNamed)
{
    const ParsedStudy parsed =
        parseStudy("\"Tessaly\"\r\n\"  \",-8,8,3E+09,0,20,#FALSE#,0,0,0,0\r\n20,-20,-15,1E+39,0,0,0,0,1\r\n0\r\n");
    ASSERT_TRUE(parsed.study) << parsed.problem;
    const StudyRecord& r = parsed.study->record;
    const StudyRecord defaults;
    EXPECT_EQ(r.equation, defaults.equation) << "blanks only are no function";
    EXPECT_EQ(r.subintervals, 256) << "beyond 32 bits";
    EXPECT_EQ(r.errorBound, defaults.errorBound);
    EXPECT_EQ(r.windowLx, -20);
    EXPECT_EQ(r.windowGx, 20);
    EXPECT_EQ(r.windowLy, -15);
    EXPECT_EQ(r.windowGy, 15) << "beyond single range";
    EXPECT_EQ(r.plotStep, 1);
    EXPECT_EQ(r.divisionX, 1);
    EXPECT_EQ(parsed.replaced, (std::vector<std::string>{"# of subintervals", "Upper limit for y (plotting)", "f(x)",
                                                         "Approx. error bound", "Lower limit for x (plotting)",
                                                         "Upper limit for x (plotting)", "Plot step", "x-divisions"}));
    EXPECT_EQ(replacedMessage(parsed.replaced),
              "These values could not be used and were replaced by their defaults: # of subintervals, Upper limit "
              "for y (plotting), f(x), Approx. error bound, Lower limit for x (plotting), Upper limit for x "
              "(plotting), Plot step, x-divisions.");
    EXPECT_EQ(replacedMessage({}), "");
}

TEST(StudyFile, WhatTheWriterWritesAtTheLimitsReadsBack)
{
    // The 15-digit texts of the largest double and the largest single round
    // beyond them; they read back as those values, not as errors.
    StudyRecord r;
    r.upper = std::numeric_limits<double>::max();
    r.lower = -std::numeric_limits<double>::max();
    r.windowGy = std::numeric_limits<float>::max();
    r.windowLy = -std::numeric_limits<float>::max();
    r.maxIterations = INT32_MAX;
    const std::string text = formatStudy(itemsOf(r), {});
    ASSERT_NE(text.find("1.79769313486232E+308"), std::string::npos) << text;
    const ParsedStudy back = parseStudy(text);
    ASSERT_TRUE(back.study) << back.problem;
    EXPECT_EQ(back.study->record, r);
    EXPECT_TRUE(back.replaced.empty());
    // Just beyond: the next 15-digit values are refused as numbers or replaced.
    EXPECT_FALSE(parseStudy("\"Tessaly\"\r\n\"x\",-8,1.79769313486233E+308,256,0.01,20,#FALSE#,0,0,0,0\r\n"
                            "-20,20,-15,15,1,0,0,1,1\r\n0\r\n")
                     .study);
    const ParsedStudy single = parseStudy(
        "\"Tessaly\"\r\n\"x\",-8,8,256,0.01,20,#FALSE#,0,0,0,0\r\n"
        "-20,20,-15,3.40282357E+38,1,0,0,1,1\r\n0\r\n");
    ASSERT_TRUE(single.study);
    EXPECT_EQ(single.replaced, std::vector<std::string>{"Upper limit for y (plotting)"});
}

}  // namespace
