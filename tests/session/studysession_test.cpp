// The study session without a window: what each command reads, keeps and tells.

#include "session/studysession.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/numbertext.h"

using namespace tessaly;

namespace {

struct Told final : session::Messages {
    std::vector<std::string> texts;
    void message(const std::string& text) override { texts.push_back(text); }
};

record::FieldTexts study(const std::string& f, const std::string& lower = "-8", const std::string& upper = "8")
{
    record::FieldTexts t = record::defaultTexts();
    t.equation = f;
    t[record::Lower] = lower;
    t[record::Upper] = upper;
    return t;
}

TEST(StudySession, CommandsKeepTheirResultsUntilTheStudyIsDiscarded)
{
    Told told;
    session::StudySession s(told);
    EXPECT_EQ(s.roots(study("x*x-4")).label, "2 roots");
    EXPECT_EQ(s.extrema(study("x*x-4")).label, "0 max. 1 min. ");
    EXPECT_EQ(s.integral(study("x", "0", "1")).label, "0.5");
    EXPECT_EQ(s.value(study("x^3"), "1", "2").label, "12.0000000000002");
    EXPECT_EQ(s.currentX(), 2) << "Value= leaves its point";
    EXPECT_EQ(s.study().derivativeOrder, 1) << "and its order";
    const record::StudyResults kept = s.results();
    EXPECT_EQ(kept.roots.size(), 2u);
    EXPECT_EQ(kept.minima.size(), 1u);
    EXPECT_TRUE(kept.integralValid);
    EXPECT_EQ(kept.integralValue, 0.5);

    s.discardResults();
    EXPECT_TRUE(s.results().roots.empty());
    EXPECT_TRUE(s.results().minima.empty());
    EXPECT_FALSE(s.results().integralValid);
    EXPECT_TRUE(told.texts.empty());
}

TEST(StudySession, AFailingConstantIsNamedOnceByTheCommandThatRunsIt)
{
    Told told;
    session::StudySession s(told);
    s.setConstants({"a=1", "b=2+"});  // as read from a file
    const auto r = s.roots(study("x-a"));
    EXPECT_FALSE(r.label);
    EXPECT_EQ(r.error, 1002);
    EXPECT_EQ(
        told.texts,
        std::vector<std::string>{"The user constant \"b=2+\" could not be run: Syntax error (error 1002 at column 5)."})
        << "the engine's own message is not shown besides";

    told.texts.clear();
    EXPECT_FALSE(s.readForGraph(study("x"), /*quiet=*/true));
    EXPECT_TRUE(told.texts.empty()) << "a drawing nobody sees tells nothing";

    s.runEachConstant();
    EXPECT_EQ(told.texts.size(), 1u);
}

TEST(StudySession, ValuesAtManyPointsRunTheConstantsOnceAndComputeAsValueDoes)
{
    Told told;
    session::StudySession s(told);
    s.setConstants({"a=a+1"});
    ASSERT_EQ(s.readForValue(study("x*x+a"), "0"), 0);
    for (const double x : {2.0, -0.5, 2.0})
        EXPECT_EQ(s.valueAt(x).value, x * x + 1) << "the constant ran once: " << x;

    ASSERT_EQ(s.readForValue(study("x^3"), "1"), 0);
    const session::ValueResult r = s.valueAt(2);
    EXPECT_EQ(r.label, "12.0000000000002") << "as value() gives it";
    EXPECT_EQ(r.label, common::numberText(r.value));
    EXPECT_EQ(s.currentX(), 2);

    // A point where f fails leaves no trace at the next one, not even the
    // extension object's own error.
    ASSERT_EQ(s.readForValue(study("Asin(x)"), "0"), 0);
    EXPECT_EQ(s.valueAt(2).error, 5);
    EXPECT_FALSE(s.valueAt(2).label);
    EXPECT_EQ(s.valueAt(1).label, "1.5707963267949");
    EXPECT_TRUE(told.texts.empty());

    EXPECT_EQ(s.readForValue(study("x"), "1E20"), 6) << "the order";
    s.setConstants({"z=1/0"});
    EXPECT_EQ(s.readForValue(study("x"), "0"), 11);
    EXPECT_EQ(told.texts,
              std::vector<std::string>{"The user constant \"z=1/0\" could not be run: Division by zero (error 11)."});
}

TEST(StudySession, OpenedResultsShowTheirRowsWithHeightsEvaluatedAgain)
{
    Told told;
    session::StudySession s(told);
    record::StudyResults opened;
    opened.integralValid = true;
    opened.integralValue = 2.5;
    opened.roots = {1, -1};
    opened.maxima = {0};
    opened.minima = {2, -3};
    opened.possibleRootCount = 1;
    const auto shown = s.restoreResults(opened, "1/x");
    EXPECT_EQ(shown.integralLabel, "2.5");
    EXPECT_EQ(shown.rootsLabel, "2 roots");
    EXPECT_EQ(shown.rootRows, (std::vector<std::string>{"1", "-1"}));
    EXPECT_EQ(shown.extremaLabel, "1 max. 2 min. 1 possible root(s).");
    EXPECT_EQ(shown.extremaRows,
              (std::vector<std::string>{"MIN: [2 , 0.5]", "MIN: [-3 , -0.333333333333333]", "MAX: [0 , error 11]"}));
    EXPECT_EQ(s.lastError(), 11);
    EXPECT_EQ(s.results(), opened);
}

TEST(StudySession, AddingAConstantTellsWhatTheAddButtonTells)
{
    Told told;
    session::StudySession s(told);
    using Result = engine::UserConstants::AddResult;
    EXPECT_EQ(s.addConstant("a"), Result::Ignored);
    EXPECT_EQ(s.addConstant("a=2,37"), Result::Refused);
    for (int i = 0; i < 101; ++i) {
        std::string statement = "c";
        statement += std::to_string(i);
        statement += "=1";
        ASSERT_EQ(s.addConstant(statement), Result::Added);
    }
    EXPECT_EQ(s.addConstant("d=1"), Result::Full);
    EXPECT_EQ(told.texts,
              (std::vector<std::string>{
                  "Expression compilation error 1025\nExpected end of statement\n\nAt line 1, col 4: [a=2,37]",
                  "At most 101 user constants can be added."}));
    EXPECT_TRUE(s.removeConstant(0));
    EXPECT_FALSE(s.removeConstant(100)) << "100 slots are left";
}

}  // namespace
