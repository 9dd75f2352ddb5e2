#include "common/leadingnumber.h"

#include <gtest/gtest.h>

#include <optional>

using tessaly::common::parseDecimal;
using tessaly::common::readLeadingNumber;

struct ReadRow {
    const char* text;
    double value;
};

class LeadingNumberRows : public ::testing::TestWithParam<ReadRow> {};

TEST_P(LeadingNumberRows, ReadsTheNumberTheTextBeginsWith)
{
    const auto v = readLeadingNumber(GetParam().text);
    ASSERT_TRUE(v.has_value()) << GetParam().text;
    EXPECT_EQ(*v, GetParam().value) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, LeadingNumberRows,
    ::testing::Values(ReadRow{"1st.derivative", 1}, ReadRow{"Function", 0}, ReadRow{"", 0}, ReadRow{"1 000", 1000},
                      ReadRow{" - 5", -5}, ReadRow{"\t2\n5", 25}, ReadRow{"-8", -8}, ReadRow{"+8", 8},
                      ReadRow{".01", 0.01}, ReadRow{"-.5", -0.5}, ReadRow{"1.", 1}, ReadRow{".", 0}, ReadRow{"-", 0},
                      ReadRow{"--5", 0}, ReadRow{"1.5e3x", 1500}, ReadRow{"1.5E+3", 1500}, ReadRow{"2D2", 200},
                      ReadRow{"2d-2", 0.02}, ReadRow{"1e", 1}, ReadRow{"1e+", 1}, ReadRow{"1E-400", 0},
                      ReadRow{"1.2.3", 1.2}, ReadRow{"1,5", 1}, ReadRow{"&HFF", 255}, ReadRow{"&hff", 255},
                      ReadRow{"&HFFFF", -1}, ReadRow{"&HFFFF&", 65535}, ReadRow{"&H10000", 65536},
                      ReadRow{"&HFFFFFFFF", -1}, ReadRow{"&O17", 15}, ReadRow{"&o777", 511}, ReadRow{"&H", 0},
                      ReadRow{"&HG", 0}, ReadRow{"&17", 0}, ReadRow{"1\r2", 1}, ReadRow{"0.1", 0.1},
                      ReadRow{"123456789012345678901234567890", 1.2345678901234568e29}));

TEST(LeadingNumber, OverflowGivesNothing)
{
    EXPECT_FALSE(readLeadingNumber("1E400").has_value());
    EXPECT_FALSE(readLeadingNumber("-1e309").has_value());
    EXPECT_FALSE(readLeadingNumber("&H100000000").has_value());
    EXPECT_TRUE(readLeadingNumber("1.7976931348623157E308").has_value());
}

TEST(LeadingNumber, TellsATextThatBeginsWithNoNumberFromAZero)
{
    for (const char* text : {"0", "-0", " 1", "+.5", "1e", "&H0", "&O7", "1E400", "2abc", "- 3"})
        EXPECT_TRUE(tessaly::common::beginsWithNumber(text)) << text;
    for (const char* text : {"", " ", "abc", "-", "+", ".", "-.", "&H", "&HG", "&17", "e5", "--5", "Function"})
        EXPECT_FALSE(tessaly::common::beginsWithNumber(text)) << text;
}

TEST(ParseDecimal, AcceptsOnlyAWholeDecimalNumber)
{
    EXPECT_EQ(parseDecimal("2.5"), 2.5);
    EXPECT_EQ(parseDecimal(".5"), 0.5);
    EXPECT_EQ(parseDecimal("1e-400"), 0.0);
    EXPECT_EQ(parseDecimal("0.000e999"), 0.0);
    EXPECT_EQ(parseDecimal("0.0001e-320"), 0.0);
    EXPECT_EQ(parseDecimal("4.9406564584124654e-324"), 4.9406564584124654e-324);
    EXPECT_FALSE(parseDecimal("1e309").has_value());
    EXPECT_FALSE(parseDecimal("0.00001e314").has_value());
    EXPECT_FALSE(parseDecimal("-1").has_value());
    EXPECT_FALSE(parseDecimal("inf").has_value());
    EXPECT_FALSE(parseDecimal("1x").has_value());
    EXPECT_FALSE(parseDecimal("").has_value());
}
