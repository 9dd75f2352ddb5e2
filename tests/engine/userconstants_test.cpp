#include "engine/userconstants.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "enginefixture.h"

using tessaly::engine::UserConstants;
using tessaly::engine::testing::WindowEngine;
using Statements = std::vector<std::string>;

namespace {

std::string statement(int i)
{
    std::string s = "c";
    s += std::to_string(i);
    s += '=';
    s += std::to_string(i);
    return s;
}

TEST(UserConstants, TheNameRuleIgnoresAnythingElseSilently)
{
    UserConstants c;
    for (const char* text : {"2a=5", "=5", "a_b=1", "a", "", " a=1", "a b=1", "\xcf\x80=3", "a-1=2"})
        EXPECT_EQ(c.add(text), UserConstants::AddResult::Ignored) << text;
    EXPECT_EQ(c.count(), 0);
    for (const char* text : {"a=2.37", "A1=", "x=3", "pi=3", "Abc9=a*2", "b=2.3.4", "c=1/0"})
        EXPECT_EQ(c.add(text), UserConstants::AddResult::Added) << text;
    EXPECT_EQ(c.statements(), (Statements{"a=2.37", "A1=", "x=3", "pi=3", "Abc9=a*2", "b=2.3.4", "c=1/0"}));
}

TEST(UserConstants, RedefinitionByExactNameMovesToTheEnd)
{
    UserConstants c;
    c.add("a=1");
    c.add("b=2");
    c.add("A=3");  // another name: letter case counts
    c.add("a=4");
    EXPECT_EQ(c.statements(), (Statements{"b=2", "A=3", "a=4"}));
}

TEST(UserConstants, HoldsAHundredAndOneAndRefusesTheNext)
{
    UserConstants c;
    for (int i = 0; i < UserConstants::kCapacity; ++i)
        ASSERT_EQ(c.add(statement(i)), UserConstants::AddResult::Added);
    EXPECT_EQ(c.add("extra=1"), UserConstants::AddResult::Full);
    EXPECT_EQ(c.count(), 101);
    EXPECT_EQ(c.add("c5=50"), UserConstants::AddResult::Added) << "a redefinition still fits";
    EXPECT_EQ(c.statements().back(), "c5=50");
    EXPECT_EQ(c.count(), 101);
}

TEST(UserConstants, RemoveGivesTheStatementThatPutsTheNameBack)
{
    UserConstants c;
    for (const char* s : {"a=2.37", "PI=3", "halfpi=1", "E=2", "sin=3", "ex=1"})
        c.add(s);
    EXPECT_EQ(c.remove(0), "a=0");
    EXPECT_EQ(c.remove(0), "pi = Atn(1) * 4");
    EXPECT_EQ(c.remove(0), "halfpi = Atn(1) * 2");
    EXPECT_EQ(c.remove(0), "e = Exp(1)");
    EXPECT_EQ(c.remove(1), "ex=0");
    EXPECT_EQ(c.remove(5), "");
    EXPECT_EQ(c.remove(-1), "");
    EXPECT_EQ(c.statements(), (Statements{"sin=3"}));
}

TEST(UserConstants, RunInOrderAndStopAtTheFirstFailure)
{
    WindowEngine w;
    UserConstants c;
    c.add("A=1");
    c.add("a=2");  // two statements, one variable of the engine
    c.add("b=a*10");
    EXPECT_FALSE(c.execute(w.engine));
    EXPECT_EQ(w.value("a").value, 2);
    EXPECT_EQ(w.value("b").value, 20);

    c.add("d=b+c");  // c is set below, so the first run sees it empty
    c.add("c=5");
    c.execute(w.engine);
    EXPECT_EQ(w.value("d").value, 20);
    c.execute(w.engine);
    EXPECT_EQ(w.value("d").value, 25) << "a later constant is seen from the previous run";

    c.add("z=1/0");
    c.add("y=7");
    const UserConstants::Failure first = c.execute(w.engine);
    EXPECT_EQ(first.slot, 5);
    EXPECT_EQ(first.error.number, 11);
    EXPECT_EQ(c.failureMessage(first), "The user constant \"z=1/0\" could not be run: Division by zero (error 11).");
    EXPECT_EQ(w.value("y").value, 0) << "statements after the failing one did not run";

    // Run each: every failure is passed over and listed, in order.
    c.add("q=Sqr(-1)");
    const auto all = c.executeEach(w.engine, w.object);
    ASSERT_EQ(all.size(), 2u);
    EXPECT_EQ(all[0].slot, 5);
    EXPECT_EQ(all[1].slot, 7);
    EXPECT_EQ(all[1].error.number, 5);
    EXPECT_EQ(w.value("y").value, 7);
}

TEST(UserConstants, AStatementTheEngineCannotCompileIsRefusedWithItsPlace)
{
    struct Row {
        const char* text;
        UserConstants::AddResult result;
        std::int32_t number;
        int column;
    };
    const Row rows[] = {
        {"a=2,37", UserConstants::AddResult::Refused, 1025, 4},
        {"a=2+", UserConstants::AddResult::Refused, 1002, 5},
        {"b=(1", UserConstants::AddResult::Refused, 1006, 5},
        {"a", UserConstants::AddResult::Ignored, 0, 0},  // not name=value: silent, as always
        {"2a=5", UserConstants::AddResult::Ignored, 0, 0},
        {"z=1/0", UserConstants::AddResult::Added, 0, 0},  // fails only when it runs
        {"c=undefinedname*2", UserConstants::AddResult::Added, 0, 0},
    };
    for (const Row& r : rows) {
        WindowEngine w;
        UserConstants c;
        tessaly::engine::ScriptError refusal;
        EXPECT_EQ(c.add(r.text, w.engine, refusal), r.result) << r.text;
        EXPECT_EQ(refusal.number, r.number) << r.text;
        EXPECT_EQ(refusal.column, r.column) << r.text;
        EXPECT_EQ(c.count(), r.result == UserConstants::AddResult::Added ? 1 : 0) << r.text;
    }
}

TEST(UserConstants, AFailureThatCannotBeReadNamesItsColumn)
{
    WindowEngine w;
    UserConstants c;
    c.assign({"a=1", "b=2+"});  // as read from a file, never checked
    const UserConstants::Failure f = c.execute(w.engine);
    EXPECT_EQ(c.failureMessage(f),
              "The user constant \"b=2+\" could not be run: Syntax error (error 1002 at column 5).");
}

TEST(UserConstants, AssignKeepsAtMostTheCapacity)
{
    UserConstants c;
    c.assign(Statements(150, "a=1"));
    EXPECT_EQ(c.count(), 101);
}

}  // namespace
