#include "common/numbertext.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <limits>

using tessaly::common::numberText;
using tessaly::common::shortNumberText;
using tessaly::common::shortSingleNumberText;
using tessaly::common::singleNumberText;

struct TextRow {
    double value;
    const char* text;
    const char* shortText;
};

class NumberTextRows : public ::testing::TestWithParam<TextRow> {};

TEST_P(NumberTextRows, WritesFifteenDigitsAndShortForm)
{
    const TextRow& row = GetParam();
    EXPECT_EQ(numberText(row.value), row.text);
    EXPECT_EQ(shortNumberText(row.value), row.shortText);
}

INSTANTIATE_TEST_SUITE_P(
    Doubles, NumberTextRows,
    ::testing::Values(TextRow{0.0, "0", "0"}, TextRow{-0.0, "0", "0"}, TextRow{0.5, "0.5", ".5"},
                      TextRow{-0.25, "-0.25", "-.25"}, TextRow{1, "1", "1"}, TextRow{-3, "-3", "-3"},
                      TextRow{2.5, "2.5", "2.5"}, TextRow{10, "10", "10"}, TextRow{100, "100", "100"},
                      TextRow{0.01, "0.01", ".01"}, TextRow{0.0001, "0.0001", ".0001"},
                      TextRow{0.00001, "1E-05", "1E-05"}, TextRow{0.00001234, "1.234E-05", "1.234E-05"},
                      TextRow{-0.00001234, "-1.234E-05", "-1.234E-05"}, TextRow{1e15, "1E+15", "1E+15"},
                      TextRow{999999999999999, "999999999999999", "999999999999999"},
                      TextRow{123456789012345, "123456789012345", "123456789012345"},
                      TextRow{1234567890123456, "1.23456789012346E+15", "1.23456789012346E+15"},
                      // rounding to 15 digits may carry into a new decade and so into exponent form
                      TextRow{999999999999999.9, "1E+15", "1E+15"}, TextRow{0.1 + 0.2, "0.3", ".3"},
                      TextRow{1.0 / 3, "0.333333333333333", ".333333333333333"},
                      TextRow{2.0 / 3, "0.666666666666667", ".666666666666667"},
                      TextRow{3.14159265358979323, "3.14159265358979", "3.14159265358979"},
                      TextRow{1e100, "1E+100", "1E+100"},
                      TextRow{1.7976931348623157e308, "1.79769313486232E+308", "1.79769313486232E+308"},
                      TextRow{4.9406564584124654e-324, "4.94065645841247E-324", "4.94065645841247E-324"},
                      TextRow{-1e-300, "-1E-300", "-1E-300"}, TextRow{123.456, "123.456", "123.456"},
                      TextRow{-0.000123, "-0.000123", "-.000123"}, TextRow{1e-9, "1E-09", "1E-09"},
                      TextRow{1.5e-10, "1.5E-10", "1.5E-10"}, TextRow{-2e16, "-2E+16", "-2E+16"}));

TEST(NumberText, NonFiniteValuesAreNamed)
{
    EXPECT_EQ(numberText(std::numeric_limits<double>::infinity()), "inf");
    EXPECT_EQ(numberText(-std::numeric_limits<double>::infinity()), "-inf");
    EXPECT_EQ(numberText(std::nan("")), "nan");
}

TEST(RoundTripText, IsTheShortestTextThatReadsBackExactly)
{
    using tessaly::common::roundTripText;
    EXPECT_EQ(roundTripText(0.1), "0.1");
    EXPECT_EQ(roundTripText(0.1 + 0.2), "0.30000000000000004") << "all the digits the double needs";
    EXPECT_EQ(roundTripText(-2), "-2");
    EXPECT_EQ(roundTripText(-0.0), "-0");
    EXPECT_EQ(roundTripText(1e-5), "1e-05");
    EXPECT_EQ(roundTripText(1e21), "1e+21");
    EXPECT_EQ(roundTripText(-2.2250738585072014e-308), "-2.2250738585072014e-308") << "the longest form";
    EXPECT_EQ(roundTripText(std::numeric_limits<double>::infinity()), "inf");
    for (const double v : {1.0 / 3, 1.7976931348623157e308, 4.9406564584124654e-324, 123456.789, -6.283185307179586}) {
        const std::string text = roundTripText(v);
        double back = 0;
        std::from_chars(text.data(), text.data() + text.size(), back);
        EXPECT_EQ(back, v) << text;
    }
}

struct SingleRow {
    float value;
    const char* text;
    const char* shortText;
};

class SingleTextRows : public ::testing::TestWithParam<SingleRow> {};

TEST_P(SingleTextRows, WritesSevenDigits)
{
    const SingleRow& row = GetParam();
    EXPECT_EQ(singleNumberText(row.value), row.text);
    EXPECT_EQ(shortSingleNumberText(row.value), row.shortText);
}

INSTANTIATE_TEST_SUITE_P(Singles, SingleTextRows,
                         ::testing::Values(SingleRow{12345678.0f, "1.234568E+07", "1.234568E+07"},
                                           SingleRow{1234567.0f, "1234567", "1234567"}, SingleRow{0.1f, "0.1", ".1"},
                                           SingleRow{-8.0f, "-8", "-8"}, SingleRow{0.3f, "0.3", ".3"},
                                           SingleRow{-0.5f, "-0.5", "-.5"}, SingleRow{1e-5f, "1E-05", "1E-05"},
                                           SingleRow{3.14159265f, "3.141593", "3.141593"}, SingleRow{0.0f, "0", "0"},
                                           SingleRow{9999999.5f, "1E+07", "1E+07"},
                                           SingleRow{1.0f / 3, "0.3333333", ".3333333"}));
