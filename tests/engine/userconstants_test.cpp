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
    EXPECT_EQ(c.execute(w.engine), 0);
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
    EXPECT_EQ(c.execute(w.engine), 11);
    EXPECT_EQ(w.value("y").value, 0) << "statements after the failing one did not run";

    // Run each: a failure is passed over, the last one's number comes back.
    c.add("q=Sqr(-1)");
    EXPECT_EQ(c.executeEach(w.engine, w.object), 5);
    EXPECT_EQ(w.value("y").value, 7);
}

TEST(UserConstants, AssignKeepsAtMostTheCapacity)
{
    UserConstants c;
    c.assign(Statements(150, "a=1"));
    EXPECT_EQ(c.count(), 101);
}

}  // namespace
