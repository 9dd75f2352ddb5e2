#include <gtest/gtest.h>

#include <array>
#include <string>

#include "plot/windowcommand.h"

using namespace tessaly::plot;

namespace {

using Texts = std::array<std::string, 4>;

// The fields' texts after a command, starting from the fields' texts.
std::optional<Texts> after(const Texts& fields, const char* command)
{
    const auto code = windowCommandNamed(command);
    EXPECT_TRUE(code) << command;
    using namespace tessaly::record;
    FieldTexts texts = defaultTexts();
    texts[WindowLx] = fields[0];
    texts[WindowGx] = fields[1];
    texts[WindowLy] = fields[2];
    texts[WindowGy] = fields[3];
    const auto w = changeWindow(windowOfTexts(texts), *code);
    if (!w)
        return std::nullopt;
    return windowTexts(*w);
}

const Texts kDefault{"-20", "20", "-15", "15"};

TEST(WindowCommand, EachCommandFromTheDefaultWindow)
{
    struct Row {
        const char* command;
        Texts texts;
    };
    const Row rows[] = {
        {"in", {"-10", "10", "-7.5", "7.5"}},   {"out", {"-40", "40", "-30", "30"}},
        {"q1", {"0", "20", "0", "15"}},         {"q2", {"-20", "0", "0", "15"}},
        {"q3", {"-20", "0", "-15", "0"}},       {"q4", {"0", "20", "-15", "0"}},
        {"right", {"-10", "30", "-15", "15"}},  {"left", {"-30", "10", "-15", "15"}},
        {"up", {"-20", "20", "-7.5", "22.5"}},  {"down", {"-20", "20", "-22.5", "7.5"}},
        {"x+", {"-30", "30", "-15", "15"}},     {"x-", {"-13.33333", "13.33333", "-15", "15"}},
        {"y+", {"-20", "20", "-22.5", "22.5"}}, {"y-", {"-20", "20", "-10", "10"}},
    };
    for (const auto& r : rows)
        EXPECT_EQ(after(kDefault, r.command), r.texts) << r.command;
}

TEST(WindowCommand, NamesOutsideTheFourteenAreUnknown)
{
    for (const char* name : {"", "IN", "q0", "q5", "x", "z+", "in "})
        EXPECT_FALSE(windowCommandNamed(name)) << name;
}

TEST(WindowCommand, ReversedCommandsComeBackUpToTheFieldsDigits)
{
    // In and Out, Right and Left are exact on these limits.
    EXPECT_EQ(after(*after(kDefault, "in"), "out"), kDefault);
    EXPECT_EQ(after(*after(kDefault, "right"), "left"), kDefault);
    // x- leaves -13.33333..13.33333; a quarter of that width written with seven
    // digits is 6.666665, so x+ stops short of 20.
    EXPECT_EQ(after(*after(kDefault, "x-"), "x+"), (Texts{"-19.99999", "19.99999", "-15", "15"}));
}

TEST(WindowCommand, StartsFromTheFieldsAsTyped)
{
    EXPECT_EQ(after({"-20", "30", "-15", "15"}, "in"), (Texts{"-7.5", "17.5", "-7.5", "7.5"}));
    // A field that does not begin with a number counts as 0.
    EXPECT_EQ(after({"abc", "20", "-15", "15"}, "right"), (Texts{"5", "25", "-15", "15"}));
}

TEST(WindowCommand, ChangesNothingWhenLimitsWouldLeaveTheSingleRange)
{
    const Texts wide{"0", "3E+38", "-15", "15"};
    for (const char* command : {"out", "x+", "right"})
        EXPECT_FALSE(after(wide, command)) << command;
    // Within the range the same window still narrows and moves the other way.
    EXPECT_EQ(after(wide, "q3"), (Texts{"0", "1.5E+38", "-15", "0"}));
    EXPECT_EQ(after(wide, "left"), (Texts{"-7.5E+37", "2.25E+38", "-15", "15"}));
    // A limit beyond every number reads as the largest single, as Plot reads it.
    EXPECT_FALSE(after({"-20", "1E400", "-15", "15"}, "in"));
    EXPECT_EQ(after({"-20", "20", "-1E400", "15"}, "up"), (Texts{"-20", "20", "-2.552118E+38", "8.507059E+37"}));
    // When the width or the centre overflows, no command can start from the window.
    for (const char* command : {"in", "q1", "left", "x-"}) {
        EXPECT_FALSE(after({"-2E+38", "2E+38", "-15", "15"}, command)) << command;
        EXPECT_FALSE(after({"2E+38", "3E+38", "-15", "15"}, command)) << command;
    }
}

TEST(WindowCommand, ChangesNothingWhenZoomingCollapsesTheFieldsTexts)
{
    // 1 .. 1.0000002 halves to limits that both read "1" with seven digits.
    EXPECT_FALSE(after({"1", "1.0000002", "-15", "15"}, "in"));
    EXPECT_FALSE(after({"-20", "20", "5", "5.0000004"}, "q3"));
    // A window with equal limits stays refused rather than staying degenerate.
    EXPECT_FALSE(after({"2", "2", "-15", "15"}, "out"));
    EXPECT_FALSE(after({"-20", "20", "0", "0"}, "y+"));
}

TEST(CentredWindow, KeepsTheSizeOfTheLastWindow)
{
    const PlotWindow last;  // -20..20 x -15..15
    EXPECT_EQ(windowTexts(*centredWindow(last, 5, 0)), (Texts{"-15", "25", "-15", "15"}));
    EXPECT_EQ(windowTexts(*centredWindow(last, 0, 0)), kDefault);
    EXPECT_EQ(windowTexts(*centredWindow(last, -2.5f, 1.25f)), (Texts{"-22.5", "17.5", "-13.75", "16.25"}));
    // Centring near the largest single would overflow: nothing.
    EXPECT_FALSE(centredWindow(PlotWindow{-3e38f, 3e38f, -1, 1}, 3e38f, 0));
}

}  // namespace
