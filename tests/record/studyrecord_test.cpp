#include "record/studyrecord.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "record/valuerules.h"

using namespace tessaly::record;

namespace {

TEST(StudyRecord, FieldTextsAreShortNumberTextsOfEachType)
{
    StudyRecord r;
    const FieldTexts defaults = fieldTexts(r);
    EXPECT_EQ(defaults.equation, "pi/3*x*sin(x)*tanh(x)");
    const char* expected[] = {"-8", "8", "256", ".01", "20", "-20", "20", "-15", "15", "1", "0", "0", "1", "1"};
    for (int i = 0; i < 14; ++i)
        EXPECT_EQ(defaults.numbers[i], expected[i]) << i;

    r.errorBound = 0.5;
    r.lower = -0.25;
    r.windowLx = static_cast<float>(-20.123456789);
    r.divisionY = 0.1f;
    const FieldTexts t = fieldTexts(r);
    EXPECT_EQ(t.numbers[3], ".5");
    EXPECT_EQ(t.numbers[0], "-.25");
    EXPECT_EQ(t.numbers[5], "-20.12346");
    EXPECT_EQ(t.numbers[13], ".1");
}

TEST(StudyRecord, EachRowOfTheItemTableReachesItsOwnItem)
{
    const StudyRecord defaults;
    for (int i = 0; i < kNumberItemCount; ++i) {
        StudyRecord r;
        setNumberItem(r, i, 7);
        for (int j = 0; j < kNumberItemCount; ++j)
            EXPECT_EQ(numberItem(r, j), j == i ? 7 : numberItem(defaults, j)) << kNumberItems[i].field << " " << j;
    }
    EXPECT_EQ(defaultTexts(), fieldTexts(defaults));
    EXPECT_EQ(defaultTexts()[PlotStep], "1");
    EXPECT_EQ(defaultTexts().derivative, "Function");
}

TEST(StudyRecord, ItemsFitTheirTypes)
{
    EXPECT_TRUE(fitsItem(ItemType::Whole, 2147483647.4));
    EXPECT_FALSE(fitsItem(ItemType::Whole, 2147483647.5));
    EXPECT_FALSE(fitsItem(ItemType::Whole, 1e10));
    EXPECT_TRUE(fitsItem(ItemType::Single, 3.4e38));
    EXPECT_FALSE(fitsItem(ItemType::Single, 3.5e38));
    EXPECT_FALSE(fitsItem(ItemType::Double, std::numeric_limits<double>::infinity()));
    EXPECT_FALSE(fitsItem(ItemType::Single, std::nan("")));
    EXPECT_EQ(toItemType(ItemType::Whole, 256.5), 256);
    EXPECT_EQ(toItemType(ItemType::Whole, 257.5), 258);
    EXPECT_EQ(toItemType(ItemType::Single, 0.1), static_cast<double>(0.1f));
}

TEST(ValueRules, WhatTheFieldsAccept)
{
    EXPECT_FALSE(equationAccepted(""));
    EXPECT_FALSE(equationAccepted(" \t "));
    EXPECT_TRUE(equationAccepted(" x "));
    EXPECT_FALSE(errorBoundAccepted(0));
    EXPECT_FALSE(errorBoundAccepted(-0.01));
    EXPECT_TRUE(errorBoundAccepted(1e-300));
    EXPECT_FALSE(divisionAccepted(0));
    EXPECT_TRUE(divisionAccepted(-1));
    for (double v : {0.0, 81.0, 2.5, -1.0, std::nan("")})
        EXPECT_FALSE(plotStepAccepted(v)) << v;
    for (double v : {1.0, 80.0, 40.0})
        EXPECT_TRUE(plotStepAccepted(v)) << v;
    EXPECT_FALSE(windowPairAccepted(8, 8));
    EXPECT_FALSE(windowPairAccepted(9, 8));
    EXPECT_TRUE(windowPairAccepted(-20, 20));
    EXPECT_TRUE(persistAccepted(0));
    EXPECT_TRUE(persistAccepted(1));
    EXPECT_FALSE(persistAccepted(2));
}

TEST(ValueRules, SubintervalsBecomeAPowerOfTwoComputedExactly)
{
    const std::pair<double, std::int32_t> rows[] = {
        {300, 512},
        {256, 256},
        {256.5, 256},
        {257, 512},
        {1, 2},
        {0, 2},
        {-5, 2},
        {2.5, 2},
        {3, 4},
        {33554432, 33554432},
        {536870912, 536870912},
        {536870913, 1073741824},
        {1073741824, 1073741824},
        {3e9, 1073741824},
        {1e300, 1073741824},
        {std::nan(""), 2},
    };
    for (const auto& [value, expected] : rows)
        EXPECT_EQ(subintervalsFor(value), expected) << value;
}

}  // namespace

namespace {

struct RuleRow {
    const char* typed;
    bool accepted;
    const char* after;  // the text the field holds when accepted
};

TEST(FieldTextRules, RefusingRules)
{
    const RuleRow error[] = {
        {".01", true, ".01"}, {"0", false, ""}, {"-0.01", false, ""}, {"abc", false, ""}, {"1E400", true, "1E400"}};
    for (const auto& r : error)
        EXPECT_EQ(validateErrorBound(r.typed).accepted, r.accepted) << r.typed;
    const RuleRow step[] = {{"0", false, ""}, {"81", false, ""}, {"2.5", false, ""},
                            {"1", true, ""},  {"80", true, ""},  {"7x", true, ""}};
    for (const auto& r : step)
        EXPECT_EQ(validatePlotStep(r.typed).accepted, r.accepted) << r.typed;
    const RuleRow division[] = {
        {"0", false, ""}, {"-1", true, ""}, {"0.0", false, ""}, {"x", false, ""}, {".5", true, ""}};
    for (const auto& r : division)
        EXPECT_EQ(validateDivision(r.typed).accepted, r.accepted) << r.typed;
    EXPECT_FALSE(validateEquation("").accepted);
    EXPECT_FALSE(validateEquation("   ").accepted);
    EXPECT_TRUE(validateEquation(" 0").accepted);
}

TEST(FieldTextRules, SubintervalsAndIterationLimitAreCorrected)
{
    const std::pair<const char*, const char*> sub[] = {{"300", "300"},
                                                       {"256.5", "256"},
                                                       {"257.5", "258"},
                                                       {"1", "2"},
                                                       {"abc", "2"},
                                                       {"2,5", "2"},
                                                       {"3000000000", "1073741824"},
                                                       {"1E400", "1073741824"},
                                                       {"-1E400", "2"}};
    for (const auto& [typed, after] : sub) {
        const auto v = validateSubintervals(typed);
        EXPECT_TRUE(v.accepted);
        EXPECT_EQ(v.text, after) << typed;
    }
    struct MaxRow {
        const char* typed;
        const char* subintervals;
        const char* after;
    };
    const MaxRow limits[] = {{"5", "1024", "9"},  {"0", "2", "1"},   {"12.5", "256", "12"},       {"abc", "2", "1"},
                             {"20", "300", "20"}, {"3", "300", "7"}, {"1E10", "2", "2147483647"}, {"-1E10", "2", "1"},
                             {"4", "1", "4"},     {"-3", "0", "1"}};
    for (const auto& r : limits)
        EXPECT_EQ(validateMaxIterations(r.typed, r.subintervals).text, r.after)
            << r.typed << " with " << r.subintervals;
}

TEST(FieldTextRules, LeavingTheSubintervalsMakesAPowerOfTwo)
{
    struct Row {
        const char* subintervals;
        const char* maxIterations;
        const char* after;
        std::optional<std::string> limit;
    };
    const Row rows[] = {{"300", "20", "512", std::nullopt},
                        {"256", "20", "256", std::nullopt},
                        {"2", "20", "2", std::nullopt},
                        {"33554432", "20", "33554432", "24"},
                        {"536870912", "40", "536870912", std::nullopt},
                        {"536870913", "20", "1073741824", "29"},
                        {"1073741824", "abc", "1073741824", "29"}};
    for (const auto& r : rows) {
        const auto left = leaveSubintervals(r.subintervals, r.maxIterations);
        EXPECT_EQ(left.subintervals, r.after) << r.subintervals;
        EXPECT_EQ(left.maxIterations, r.limit) << r.subintervals;
    }
    EXPECT_FALSE(pairInOrder("8", "8"));
    EXPECT_FALSE(pairInOrder("9", "8"));
    EXPECT_TRUE(pairInOrder("-8", "8"));
}

}  // namespace
