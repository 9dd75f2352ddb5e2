// The bounds on texts: no value holds more than kMaxTextLength characters (14),
// and the texts one evaluation makes take at most kMaxEvaluationTextBytes (7),
// whether the compiler joined them in advance or the run joins them.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/operations.h"
#include "engine/userconstants.h"
#include "enginefixture.h"

using tessaly::engine::kMaxEvaluationTextBytes;
using tessaly::engine::kMaxTextLength;
using tessaly::engine::textLength;
using tessaly::engine::UserConstants;
using tessaly::engine::testing::WindowEngine;

namespace {

const std::string kPi = "\xcf\x80";  // one character, two bytes

std::string repeated(const std::string& unit, std::size_t times)
{
    std::string s;
    s.reserve(unit.size() * times);
    for (std::size_t i = 0; i < times; ++i)
        s += unit;
    return s;
}

std::string quoted(const std::string& text) { return "\"" + text + "\""; }

struct LengthRow {
    const char* text;
    std::size_t characters;
};

TEST(TextLength, CountsCharactersAndEveryStrayByte)
{
    const LengthRow rows[] = {
        {"", 0},
        {"abc", 3},
        {"\xcf\x80", 1},          // two-byte sequence
        {"\xe2\x82\xac", 1},      // three bytes
        {"\xf0\x9f\x98\x80", 1},  // four bytes
        {"a\xcf\x80z", 3},
        {"\x80\xbf", 2},  // continuation bytes that begin nothing
        {"\xc3", 1},      // a lead byte at the end
        {"\xc3"
         "a",
         2},                  // a lead byte before a byte that does not continue it
        {"\xe2\x82", 1},      // a sequence cut short
        {"\xcf\x80\x80", 2},  // one continuation more than announced
        {"\xf8\x80\x80", 3},  // 11111xxx announces nothing
        {"\xff", 1},
    };
    for (const auto& row : rows)
        EXPECT_EQ(textLength(row.text), row.characters) << row.text;
}

TEST(TextBounds, TheLongestTextIsFineAndOneCharacterMoreIsOutOfStringSpace)
{
    WindowEngine w;
    // A literal.
    const auto longest = w.engine.eval(quoted(repeated("a", kMaxTextLength)));
    EXPECT_EQ(longest.error, 0);
    EXPECT_EQ(longest.value.str().size(), kMaxTextLength);
    EXPECT_EQ(w.engine.eval(quoted(repeated("a", kMaxTextLength + 1))).error, 14);
    EXPECT_EQ(w.engine.lastError().description, "Out of string space");
    EXPECT_EQ(w.engine.lastError().column, 0) << "a run-time error";
    // Characters count, not bytes.
    EXPECT_EQ(w.engine.eval(quoted(repeated(kPi, kMaxTextLength))).error, 0);
    EXPECT_EQ(w.engine.eval(quoted(repeated(kPi, kMaxTextLength + 1))).error, 14);

    // Joins at run time, from a variable one character short of the longest.
    ASSERT_EQ(w.engine.executeStatement("a=" + quoted(repeated("a", kMaxTextLength - 1))), 0);
    ASSERT_EQ(w.engine.executeStatement("p=" + quoted(repeated(kPi, kMaxTextLength - 1))), 0);
    ASSERT_EQ(w.engine.executeStatement("q=" + quoted(repeated("\xf0\x9f\x98\x80", kMaxTextLength))), 0);
    const struct {
        const char* text;
        std::int32_t error;
    } joins[] = {
        {"a & \"b\"", 0},
        {"a & \"bc\"", 14},
        {"a + \"b\"", 0},
        {"a + \"bc\"", 14},
        {"a & 1", 0},
        {"a & 12", 14},
        {"\"b\" & a", 0},
        {"\"bc\" & a", 14},
        {"p & \"b\"", 0},
        {"p & p", 14},
        {"a & Null & \"b\"", 0},
        {"a & Empty & \"b\"", 0},
        {"a & a", 14},
        {"p & \"\xcf\x80\"", 0},
        {"p & \"\xcf\x80\xcf\x80\"", 14},
        // q takes four bytes a character: the most bytes a text may take.
        {"q & \"\"", 0},
        {"q & \"a\"", 14},
    };
    for (const auto& row : joins) {
        const auto r = w.engine.eval(row.text);
        EXPECT_EQ(r.error, row.error) << row.text;
        if (row.error == 0) {
            EXPECT_EQ(textLength(r.value.str()), kMaxTextLength) << row.text;
        }
    }
    // A sequence cut short at the end of one text takes the continuation bytes
    // that begin the other: three characters apart, one joined.
    ASSERT_EQ(w.engine.executeStatement("c=" + quoted(repeated("a", kMaxTextLength - 1) + "\xf0")), 0);
    ASSERT_EQ(w.engine.executeStatement("d=\"\x9f\x98\x80\""), 0);
    EXPECT_EQ(w.engine.eval("c & d").value.str(), repeated("a", kMaxTextLength - 1) + "\xf0\x9f\x98\x80");
    EXPECT_EQ(w.engine.eval("c & (d & \"x\")").error, 14);
    // A truth value joins as True or False.
    ASSERT_EQ(w.engine.executeStatement("t=" + quoted(repeated("a", kMaxTextLength - 4))), 0);
    EXPECT_EQ(w.engine.eval("t & (1=1)").error, 0);
    EXPECT_EQ(w.engine.eval("t & (1=2)").error, 14);
}

TEST(TextBounds, JoinsOfConstantsMeetTheSameBoundWhenCompiledInAdvance)
{
    WindowEngine w;
    const std::string head = quoted(repeated("a", kMaxTextLength - 1));
    EXPECT_EQ(w.engine.eval(head + " & \"b\"").value.str().size(), kMaxTextLength);
    EXPECT_EQ(w.engine.eval(head + " & \"bc\"").error, 14);
    EXPECT_EQ(w.engine.lastError().column, 0) << "it fails when it runs, not when it compiles";
    EXPECT_EQ(w.value("1 + (" + head + " & \"bc\")").error, 14);
}

// n joins of a text of the longest length, each making one more such text.
std::string joins(const std::string& operand, int n)
{
    std::string text;
    for (int i = 0; i < n; ++i) {
        text += i ? " = (" : "(";
        text += operand;
        text += " & \"\")";
    }
    return text;
}

TEST(EvaluationBudget, SixteenLongestTextsAreFineASeventeenthIsOutOfMemory)
{
    static_assert(kMaxEvaluationTextBytes == 16 * kMaxTextLength);
    WindowEngine w;
    ASSERT_EQ(w.engine.executeStatement("a=" + quoted(repeated("a", kMaxTextLength))), 0);
    EXPECT_EQ(w.engine.eval(joins("a", 16)).error, 0);
    EXPECT_EQ(w.engine.eval(joins("a", 16)).error, 0) << "each evaluation starts with the whole budget";
    EXPECT_EQ(w.engine.eval(joins("a", 17)).error, 7);
    EXPECT_EQ(w.engine.lastError().description, "Out of memory");
    EXPECT_EQ(w.engine.lastError().column, 0);

    // The same joins of a constant, which the compiler makes in advance, count
    // in each run exactly as the joins of the variable do.
    const std::string literal = quoted(repeated("a", kMaxTextLength));
    EXPECT_EQ(w.engine.eval(joins(literal, 16)).error, 0);
    EXPECT_EQ(w.engine.eval(joins(literal, 17)).error, 7);
    EXPECT_EQ(w.engine.eval(joins(literal, 17)).error, 7) << "and in every run";
}

TEST(TextBounds, DoublingConstantsStopAtTheLongestText)
{
    // As a study file may hold them: one name assigned again and again.
    std::vector<std::string> statements{"a=\"xx\""};
    statements.insert(statements.end(), 40, "a=a&a");
    UserConstants constants;
    constants.assign(statements);

    WindowEngine w;
    const UserConstants::Failure first = constants.execute(w.engine);
    EXPECT_EQ(first.error.number, 14);
    EXPECT_EQ(first.slot, 15) << "2 doubled 14 times; the 15th is too long";
    EXPECT_EQ(w.engine.eval("a").value.str().size(), 32768u);
    std::vector<std::int32_t> failures;
    w.engine.setErrorObserver([&](const tessaly::engine::ScriptError& e) { failures.push_back(e.number); });
    const auto each = constants.executeEach(w.engine, w.object);
    ASSERT_EQ(each.size(), 26u);
    EXPECT_EQ(each.back().error.number, 14);
    EXPECT_EQ(failures, std::vector<std::int32_t>(26, 14)) << "a starts again from two characters";
    EXPECT_EQ(w.engine.eval("a").value.str().size(), 32768u);

    // Hundreds of statements more, each failing on its own (a text found by fuzzing).
    for (int i = 0; i < 800; ++i)
        ASSERT_EQ(w.engine.executeStatement("a=a&a"), 14);
    EXPECT_EQ(w.engine.eval("a").value.str().size(), 32768u);

    // Distinct names, as the Add button stores them.
    UserConstants added;
    added.add("c0=\"xx\"");
    auto name = [](int i) {
        std::string n = "c";
        n += std::to_string(i);
        return n;
    };
    for (int i = 1; i <= 40; ++i)
        added.add(name(i) + "=" + name(i - 1) + "&" + name(i - 1));
    WindowEngine fresh;
    EXPECT_EQ(added.execute(fresh.engine).error.number, 14);
    EXPECT_EQ(fresh.engine.eval("c14").value.str().size(), 32768u);
    EXPECT_EQ(fresh.engine.eval("c15 & \"\"").value.str(), "") << "never assigned";
}

}  // namespace
