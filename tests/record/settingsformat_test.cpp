// The settings file's text: its layout, what reads back, and damaged lines.

#include "record/settingsformat.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "recordfixture.h"

using namespace tessaly::record;
using namespace tessaly::record::testing;

namespace {

TEST(SettingsFile, WritesTheKnownLayout)
{
    EXPECT_EQ(formatSettings(itemsOf(withConstant())), kSettingsWithOneConstant);
}

TEST(SettingsFile, RoundTrips)
{
    StudyRecord r;
    r.equation = "a*x^2 + \"q\" & b";  // a quote inside the text
    r.lower = 0.5;
    r.upper = 1e20;
    r.subintervals = 1024;
    r.errorBound = 1e-7;
    r.maxIterations = 9;
    r.windowLx = static_cast<float>(-20.123456789);
    r.windowGx = 3.5f;
    r.windowLy = -0.25f;
    r.windowGy = 1e30f;
    r.plotStep = 80;
    r.originX = -1;
    r.originY = 2;
    r.divisionX = -0.5f;
    r.divisionY = 7;
    r.constants = {"a=2.37", "b=a*2", "A=1"};
    r.persist = 1;
    const std::string text = formatSettings(itemsOf(r));
    const ParsedSettings back = parseSettings(text);
    ASSERT_TRUE(back.record.has_value()) << back.problem;
    EXPECT_EQ(*back.record, r);
    EXPECT_EQ(fieldTexts(*back.record).numbers[0], ".5");
    EXPECT_EQ(fieldTexts(*back.record).numbers[5], "-20.12346");

    EXPECT_EQ(parseSettings(kSettingsWithOneConstant).record, withConstant());
}

TEST(SettingsFile, WritesTheFieldsNumbersAsTheyRead)
{
    SettingsItems items = itemsOf(StudyRecord{});
    items.numbers[2] = 256.5;          // a subinterval count typed as 256.5
    items.numbers[5] = -20.123456789;  // more digits than a single keeps
    const std::string text = formatSettings(items);
    EXPECT_NE(text.find("\r\n256.5\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\n-20.123456789\r\n"), std::string::npos);
    const auto back = parseSettings(text);
    ASSERT_TRUE(back.record);
    EXPECT_EQ(back.record->subintervals, 256);
    EXPECT_EQ(back.record->windowLx, static_cast<float>(-20.123456789));
}

TEST(SettingsFile, NeverWritesWhatCannotBeReadBack)
{
    SettingsItems items = itemsOf(StudyRecord{});
    items.numbers[0] = std::numeric_limits<double>::infinity();  // a field that overflowed
    items.numbers[2] = 3e9;                                      // beyond 32 bits
    items.numbers[6] = 1e39;                                     // beyond single range
    items.persist = 5;
    const auto back = parseSettings(formatSettings(items));
    ASSERT_TRUE(back.record) << back.problem;
    EXPECT_EQ(*back.record, StudyRecord{});
}

TEST(SettingsFile, AcceptsOtherLineEndsAndAByteOrderMark)
{
    std::string lf = kSettingsWithOneConstant;
    std::string cr = kSettingsWithOneConstant;
    for (std::size_t p; (p = lf.find("\r\n")) != std::string::npos;)
        lf.erase(p, 1);
    for (std::size_t p; (p = cr.find("\r\n")) != std::string::npos;)
        cr.erase(p + 1, 1);
    EXPECT_EQ(parseSettings(lf).record, withConstant());
    EXPECT_EQ(parseSettings(cr).record, withConstant());
    EXPECT_EQ(parseSettings(lf + "trailing lines are not read\n").record, withConstant());
}

// The lines of the example file, to damage one at a time.
std::vector<std::string> exampleLines()
{
    return {"\"pi/3*x*sin(x)*tanh(x)\"",
            "-8",
            "8",
            "256",
            ".01",
            "20",
            "-20",
            "20",
            "-15",
            "15",
            "1",
            "0",
            "0",
            "1",
            "1",
            "1",
            "\"a=2.37\"",
            "0"};
}

std::string joined(const std::vector<std::string>& lines)
{
    std::string s;
    for (const auto& l : lines)
        s += l + "\r\n";
    return s;
}

TEST(SettingsFile, TruncatedAfterAnyLineIsRefused)
{
    const auto lines = exampleLines();
    for (std::size_t n = 0; n < lines.size(); ++n) {
        const std::vector<std::string> head(lines.begin(), lines.begin() + static_cast<std::ptrdiff_t>(n));
        const auto parsed = parseSettings(joined(head));
        EXPECT_FALSE(parsed.record.has_value()) << "after " << n << " lines";
        EXPECT_FALSE(parsed.problem.empty());
    }
}

struct Damage {
    int line;  // 0-based line replaced
    const char* text;
    bool refused;       // the whole file is refused
    const char* field;  // otherwise: the name of the item that takes its default (the second of a pair)
};

class DamagedLines : public ::testing::TestWithParam<Damage> {};

TEST_P(DamagedLines, RefuseTheFileOrDefaultTheValueAlone)
{
    auto lines = exampleLines();
    lines[static_cast<std::size_t>(GetParam().line)] = GetParam().text;
    const auto parsed = parseSettings(joined(lines));
    if (GetParam().refused) {
        EXPECT_FALSE(parsed.record.has_value());
        return;
    }
    ASSERT_TRUE(parsed.record.has_value()) << parsed.problem;
    EXPECT_EQ(*parsed.record, withConstant()) << "the function and constants are kept";
    ASSERT_FALSE(parsed.replaced.empty());
    EXPECT_EQ(parsed.replaced.back(), GetParam().field);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, DamagedLines,
    ::testing::Values(Damage{1, "eight", true, nullptr}, Damage{1, "8abc", true, nullptr},
                      Damage{2, "inf", true, nullptr}, Damage{2, "nan", true, nullptr},
                      Damage{15, "5", true, nullptr},  // a count of 5 with 1 statement
                      Damage{15, "-3", true, nullptr}, Damage{15, "200", true, nullptr},
                      Damage{16, "\"a=2.37", true, nullptr}, Damage{3, "1E10", false, "# of subintervals"},
                      Damage{3, "2147483647.5", false, "# of subintervals"},
                      Damage{6, "1E39", false, "Lower limit for x (plotting)"}, Damage{0, "\"\"", false, "f(x)"},
                      Damage{0, "\"  \"", false, "f(x)"}, Damage{4, "0", false, "Approx. error bound"},
                      Damage{4, "-0.01", false, "Approx. error bound"}, Damage{10, "0", false, "Plot step"},
                      Damage{10, "81", false, "Plot step"}, Damage{13, "0", false, "x-divisions"},
                      Damage{14, "0", false, "y-divisions"}, Damage{6, "20", false, "Upper limit for x (plotting)"},
                      Damage{9, "-16", false, "Upper limit for y (plotting)"}, Damage{17, "2", false, "Persist"},
                      Damage{17, "1E10", false, "Persist"}));

TEST(SettingsFile, AFieldRefusedValueTakesItsDefault)
{
    auto lines = exampleLines();
    lines[10] = "0";  // a plot step of 0 would hang every start-up
    lines[6] = "30";  // lower x beyond upper x: both limits return
    lines[7] = "25";
    const auto parsed = parseSettings(joined(lines));
    ASSERT_TRUE(parsed.record);
    EXPECT_EQ(parsed.record->plotStep, 1);
    EXPECT_EQ(parsed.record->windowLx, -20);
    EXPECT_EQ(parsed.record->windowGx, 20);
}

}  // namespace
