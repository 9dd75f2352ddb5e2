// The expression language, number for number and error for error.

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "enginefixture.h"

using tessaly::engine::testing::WindowEngine;

namespace {

struct ValueRow {
    const char* text;
    double value;
};

void PrintTo(const ValueRow& r, std::ostream* os) { *os << r.text; }

class Values : public ::testing::TestWithParam<ValueRow> {};

TEST_P(Values, EvaluateTo)
{
    WindowEngine w;
    const auto r = w.value(GetParam().text);
    ASSERT_EQ(r.error, 0) << GetParam().text;
    EXPECT_EQ(r.value, GetParam().value) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Precedence, Values,
    ::testing::Values(ValueRow{"-2^2", 4}, ValueRow{"2^-2", 0.25}, ValueRow{"2+-3^2", 11}, ValueRow{"2^3^2", 64},
                      ValueRow{"2^-3^2", 0.015625}, ValueRow{"12/3\\2", 2}, ValueRow{"5\\4/2", 2},
                      ValueRow{"10\\3 Mod 2", 1}, ValueRow{"10 Mod 3\\2", 0}, ValueRow{"1+2*3", 7},
                      ValueRow{"(1+2)*3", 9}, ValueRow{"2*3^2", 18}, ValueRow{"1-2-3", -4}, ValueRow{"8/4/2", 1},
                      ValueRow{"--2", 2}, ValueRow{"-+-2", 2}, ValueRow{"- 2 ^ 2", 4}, ValueRow{"1<2<3", -1},
                      ValueRow{"3>2>1", 0}, ValueRow{"1 <> Not 0 = 0", -1}, ValueRow{"Not 1 + 2", -4},
                      ValueRow{"2 * Not 1 + 1", -6}, ValueRow{"Not 1 And 0", 0}, ValueRow{"1 Or 2 And 3", 3},
                      ValueRow{"1 Xor 3 Or 4", 6}, ValueRow{"5 Eqv 3 Xor 1", -8}, ValueRow{"0 Imp 0 Eqv 0", -1},
                      ValueRow{"1+1=2", -1}, ValueRow{"1 & 2 + 3", 15}, ValueRow{"2 < 1 & 0", -1},
                      ValueRow{"\t1\t+ 2 ", 3}));

INSTANTIATE_TEST_SUITE_P(
    Literals, Values,
    ::testing::Values(ValueRow{"010", 10}, ValueRow{".5", 0.5}, ValueRow{"1.", 1}, ValueRow{"1E5", 1e5},
                      ValueRow{"1.5E-3", 1.5e-3}, ValueRow{"1e+2", 100}, ValueRow{"1E-400", 0}, ValueRow{"&HFFFF", -1},
                      ValueRow{"&HFFFF&", 65535}, ValueRow{"&HFFFFFFFF", -1}, ValueRow{"&H8000", -32768},
                      ValueRow{"&H10000", 65536}, ValueRow{"&O17", 15}, ValueRow{"&hff", 255},
                      ValueRow{"&H7FFFFFFF", 2147483647}, ValueRow{"&H80000000", -2147483648.0}, ValueRow{"True", -1},
                      ValueRow{"False", 0}, ValueRow{"tRUE", -1}, ValueRow{"1E2", 100},
                      ValueRow{"2*e", 2 * std::exp(1.0)}, ValueRow{"\"3.5\"", 3.5}, ValueRow{"\"2\"+3", 5},
                      ValueRow{"\"1\" & \"2\"", 12}, ValueRow{"\"1\"+\"2\"", 12}, ValueRow{"\" 7 \"*1", 7},
                      ValueRow{"\"&H10\"*1", 16}, ValueRow{"\"1e3\"/10", 100}, ValueRow{"-\"2\"", -2},
                      ValueRow{"3000000000", 3e9}, ValueRow{"1.7976931348623157E308", 1.7976931348623157e308},
                      ValueRow{"Empty", 0}, ValueRow{"Empty + 1", 1}, ValueRow{"", 0}, ValueRow{"   ", 0},
                      ValueRow{"1 ' a comment", 1}));

INSTANTIATE_TEST_SUITE_P(
    Arithmetic, Values,
    ::testing::Values(ValueRow{"7.5\\2", 4}, ValueRow{"6.5\\2", 3}, ValueRow{"-2.5 Mod 10", -2}, ValueRow{"-7\\2", -3},
                      ValueRow{"-7 Mod 2", -1}, ValueRow{"7 Mod -2", 1}, ValueRow{"2147483647.4\\1", 2147483647},
                      ValueRow{"-2147483648.5\\1", -2147483648.0}, ValueRow{"Not 0", -1}, ValueRow{"Not -1", 0},
                      ValueRow{"Not 1.5", -3}, ValueRow{"5 And 3", 1}, ValueRow{"5 Or 3", 7}, ValueRow{"5 Xor 3", 6},
                      ValueRow{"5 Eqv 3", -7}, ValueRow{"5 Imp 3", -5}, ValueRow{"True And True", -1},
                      ValueRow{"True Or False", -1}, ValueRow{"2.5 And 3", 2}, ValueRow{"1=1", -1}, ValueRow{"1<>1", 0},
                      ValueRow{"1=<2", -1}, ValueRow{"1=>2", 0}, ValueRow{"1><2", -1}, ValueRow{"2>=2", -1},
                      ValueRow{"2<=1", 0}, ValueRow{"\"a\" < \"b\"", -1}, ValueRow{"\"10\" < \"9\"", -1},
                      ValueRow{"1 < \"0\"", -1}, ValueRow{"\"\" = Empty", -1}, ValueRow{"0 = Empty", -1},
                      ValueRow{"2^0.5", std::sqrt(2.0)}, ValueRow{"0^0", 1}, ValueRow{"(-8)^(1/3*3)", -8},
                      ValueRow{"(-2)^3", -8}, ValueRow{"2147483647+1", 2147483648.0}, ValueRow{"32767*2", 65534}));

INSTANTIATE_TEST_SUITE_P(Functions, Values,
                         ::testing::Values(ValueRow{"Sin(0)", 0}, ValueRow{"Cos(0)", 1}, ValueRow{"Tan(0)", 0},
                                           ValueRow{"Atn(1)*4", 4 * std::atan(1.0)}, ValueRow{"Exp(1)", std::exp(1.0)},
                                           ValueRow{"Log(Exp(2))", std::log(std::exp(2.0))}, ValueRow{"Sqr(16)", 4},
                                           ValueRow{"Abs(-3)", 3}, ValueRow{"Int(-2.5)", -3}, ValueRow{"Fix(-2.5)", -2},
                                           ValueRow{"Int(2.5)", 2}, ValueRow{"Sgn(-4)", -1}, ValueRow{"Sgn(0)", 0},
                                           ValueRow{"Sgn(0.1)", 1}, ValueRow{"CInt(2.5)", 2}, ValueRow{"CInt(3.5)", 4},
                                           ValueRow{"CInt(-32768.5)", -32768}, ValueRow{"CLng(2.5)", 2},
                                           ValueRow{"CLng(-3.5)", -4}, ValueRow{"CDbl(\"1.25\")", 1.25},
                                           ValueRow{"Round(2.5)", 2}, ValueRow{"Round(3.5)", 4},
                                           ValueRow{"Round(1.25, 1)", 1.2}, ValueRow{"Round(1.35, 1)", 1.4},
                                           ValueRow{"Round(-1.5)", -2}, ValueRow{"Round(1E20, 2)", 1e20},
                                           ValueRow{"SIN(PI/2)", 1}, ValueRow{"sIn(0)", 0}, ValueRow{"Exp(-1000)", 0},
                                           ValueRow{"Sqr(\"4\")", 2}, ValueRow{"Sin (0)", 0}));

// Rows at the edges of the rules: the sign of a text read as a number, a text
// plus Empty staying a text, and the largest number of places Round takes.
INSTANTIATE_TEST_SUITE_P(Boundaries, Values,
                         ::testing::Values(ValueRow{"\"-5\"+0", -5}, ValueRow{"\"-5\"*1", -5}, ValueRow{"-\"-5\"", 5},
                                           ValueRow{"\" -5 \"-1", -6}, ValueRow{"(\"1\"+q)+\"1\"", 11},
                                           ValueRow{"(q+\"1\")+\"1\"", 11}, ValueRow{"\"2\"&q", 2},
                                           ValueRow{"Round(1.5E-22, 22)", 2e-22}, ValueRow{"Round(1.5E-22, 23)", 2e-22},
                                           ValueRow{"Round(1.5E-22, 21)", 0}, ValueRow{"Round(2.5, 22)", 2.5},
                                           ValueRow{"\"1E-09\"*1", 1e-9}));

struct ErrorRow {
    const char* text;
    int number;
    int column;  // 1-based for compile errors, 0 for run-time errors
};

void PrintTo(const ErrorRow& r, std::ostream* os) { *os << r.text; }

class Errors : public ::testing::TestWithParam<ErrorRow> {};

TEST_P(Errors, FailWithNumberAndColumn)
{
    WindowEngine w;
    const auto r = w.engine.eval(GetParam().text);
    EXPECT_EQ(r.error, GetParam().number) << GetParam().text;
    EXPECT_EQ(w.engine.lastError().number, GetParam().number);
    EXPECT_EQ(w.engine.lastError().column, GetParam().column) << GetParam().text;
    EXPECT_EQ(w.engine.lastError().line, 1);
    EXPECT_FALSE(w.engine.lastError().description.empty());
}

INSTANTIATE_TEST_SUITE_P(
    RunTime, Errors,
    ::testing::Values(ErrorRow{"Sqr(-1)", 5, 0}, ErrorRow{"Log(0)", 5, 0}, ErrorRow{"Log(-1)", 5, 0},
                      ErrorRow{"(-8)^(1/3)", 5, 0}, ErrorRow{"Round(2, -1)", 5, 0}, ErrorRow{"0/0", 6, 0},
                      ErrorRow{"1E308*10", 6, 0}, ErrorRow{"1E308+1E308", 6, 0}, ErrorRow{"-1E308-1E308", 6, 0},
                      ErrorRow{"Exp(710)", 6, 0}, ErrorRow{"CInt(40000)", 6, 0}, ErrorRow{"CInt(32767.5)", 6, 0},
                      ErrorRow{"CLng(2147483647.5)", 6, 0}, ErrorRow{"1E10\\3", 6, 0}, ErrorRow{"1E10 Mod 3", 6, 0},
                      ErrorRow{"2^1024", 6, 0}, ErrorRow{"1E200/1E-200", 6, 0}, ErrorRow{"Not 1E10", 6, 0},
                      ErrorRow{"1E10 And 1", 6, 0}, ErrorRow{"-2147483648\\-1", 6, 0}, ErrorRow{"\"1e999\"*1", 6, 0},
                      ErrorRow{"1/0", 11, 0}, ErrorRow{"1\\0", 11, 0}, ErrorRow{"5 Mod 0", 11, 0},
                      ErrorRow{"1\\0.5", 11, 0}, ErrorRow{"0^-1", 11, 0}, ErrorRow{"foo(1)", 13, 0},
                      ErrorRow{"pi(1)", 13, 0}, ErrorRow{"x(2)", 13, 0}, ErrorRow{"foo()", 13, 0},
                      ErrorRow{"\"a\"+1", 13, 0}, ErrorRow{"1+\"\"", 13, 0}, ErrorRow{"\"1,5\"*1", 13, 0},
                      ErrorRow{"Sin(\"x\")", 13, 0}, ErrorRow{"Sin(Null)", 94, 0}, ErrorRow{"Sin()", 450, 0},
                      ErrorRow{"Sin(1,2)", 450, 0}, ErrorRow{"Sin", 450, 0}, ErrorRow{"Round(1,2,3)", 450, 0},
                      ErrorRow{"1+Asin", 450, 0}, ErrorRow{"Asin(1,2)", 450, 0}));

INSTANTIATE_TEST_SUITE_P(
    Compile, Errors,
    ::testing::Values(
        ErrorRow{"2+", 1002, 3}, ErrorRow{"*2", 1002, 1}, ErrorRow{"2**3", 1002, 3}, ErrorRow{"()", 1002, 2},
        ErrorRow{"Sin(,1)", 1002, 5}, ErrorRow{"1+If", 1002, 3}, ErrorRow{"(2", 1006, 3}, ErrorRow{"(1,2)", 1006, 3},
        ErrorRow{"Sin(1 2)", 1006, 7}, ErrorRow{"1 2", 1025, 3}, ErrorRow{"2x", 1025, 2}, ErrorRow{"2)", 1025, 2},
        ErrorRow{"Sin x", 1025, 5}, ErrorRow{"1,5", 1025, 2}, ErrorRow{"5 Mod3", 1025, 3}, ErrorRow{"1D2", 1025, 2},
        ErrorRow{"0x10", 1025, 2}, ErrorRow{"1.5.3", 1025, 4}, ErrorRow{"1:2", 1025, 2}, ErrorRow{"x.y", 1025, 2},
        ErrorRow{"1E", 1031, 1}, ErrorRow{"1E+", 1031, 1}, ErrorRow{"2e", 1031, 1}, ErrorRow{"1+1E309", 1031, 3},
        ErrorRow{"&H100000000", 1031, 1}, ErrorRow{"&H", 1031, 1}, ErrorRow{"&O8", 1031, 1}, ErrorRow{"$1", 1032, 1},
        ErrorRow{"{1}", 1032, 1}, ErrorRow{"1!=2", 1032, 2}, ErrorRow{"\xcf\x80+1", 1032, 1},
        ErrorRow{"\xcf\x80\xcf\x80", 1032, 1}, ErrorRow{"1+\xcf\x80", 1032, 3}, ErrorRow{"\"ab", 1033, 1}));

TEST(Language, IdentifiersUpToTheirLimitAndLineEndsInsideTexts)
{
    WindowEngine w;
    EXPECT_EQ(w.value(std::string(255, 'a') + "+1").value, 1) << "255 characters is a name";
    const auto tooLong = w.engine.eval(std::string(256, 'a') + "+1");
    EXPECT_EQ(tooLong.error, 1030);
    EXPECT_EQ(w.engine.lastError().column, 1);
    for (const char* text : {"\"a\rb\"", "\"a\nb\"", "1+\"\r\""}) {
        EXPECT_EQ(w.engine.eval(text).error, 1033) << "a text ends at its line";
        EXPECT_EQ(w.engine.lastError().column, text[0] == '"' ? 1 : 3);
    }
}

TEST(Language, NullPropagatesAndFailsOnlyWhenConverted)
{
    WindowEngine w;
    const auto r = w.engine.eval("Null + 1");
    EXPECT_EQ(r.error, 0);
    EXPECT_EQ(r.value.kind(), tessaly::engine::Kind::Null);
    EXPECT_EQ(w.value("Null + 1").error, 94);
}

// Converting the value to a number is not the engine's: its failure is not
// reported; the program's own failure is, once.
TEST(Language, OnlyTheProgramsFailuresAreReported)
{
    WindowEngine w;
    std::vector<std::int32_t> heard;
    w.engine.setErrorObserver([&](const tessaly::engine::ScriptError& e) { heard.push_back(e.number); });
    EXPECT_EQ(w.value("Null + x").error, 94);
    EXPECT_EQ(w.value("\"a\" & x").error, 13);
    EXPECT_EQ(w.value("\"2\" & x", 5).value, 25);
    EXPECT_TRUE(heard.empty());
    EXPECT_EQ(w.value("\"a\" + x").error, 13);
    EXPECT_EQ(w.value("1/x").error, 11);
    EXPECT_EQ(heard, (std::vector<std::int32_t>{13, 11}));
}

TEST(Language, TextResultsKeepTheirKind)
{
    WindowEngine w;
    EXPECT_EQ(w.engine.eval("\"1\" & \"2\"").value, tessaly::engine::Value::text("12"));
    EXPECT_EQ(w.engine.eval("\"a\"\"b\"").value, tessaly::engine::Value::text("a\"b"));
    EXPECT_EQ(w.engine.eval("1/4 & \"\"").value, tessaly::engine::Value::text("0.25"));
    EXPECT_EQ(w.engine.eval("1/3 & \"\"").value, tessaly::engine::Value::text("0.333333333333333"));
    EXPECT_EQ(w.engine.eval("(1<2) & \"\"").value, tessaly::engine::Value::text("True"));
    EXPECT_EQ(w.engine.eval("Null & \"a\"").value, tessaly::engine::Value::text("a"));
    EXPECT_EQ(w.engine.eval("1E20 & \"\"").value, tessaly::engine::Value::text("1E+20"));
    // a text that is not a number fails only where a number is needed
    EXPECT_EQ(w.value("\"ab\"").error, 13);
    EXPECT_EQ(w.value("(1<2) & \"\"").error, 13);
}

TEST(Language, NestingLimitIsOutOfStackSpaceWithItsColumn)
{
    WindowEngine w;
    const std::string deepest =
        std::string(tessaly::engine::kMaxNesting, '(') + "1" + std::string(tessaly::engine::kMaxNesting, ')');
    EXPECT_EQ(w.value(deepest).value, 1);
    const std::string minus = std::string(1000, '-') + "2";
    EXPECT_EQ(w.value(minus).value, 2);

    const std::string tooDeep = "1+" + std::string(tessaly::engine::kMaxNesting + 1, '(') + "1";
    EXPECT_EQ(w.engine.eval(tooDeep).error, 28);
    EXPECT_EQ(w.engine.lastError().column, 2 + tessaly::engine::kMaxNesting + 1);
    EXPECT_EQ(w.engine.lastError().description, "Out of stack space");
}
}  // namespace
