#include "evaluator/evaluatortext.h"

#include <gtest/gtest.h>

using namespace tessaly::evaluator;

namespace {

TEST(EvaluatorText, MemoryStepsReadTheResultLabel)
{
    struct Row {
        double memory;
        const char* result;
        int sign;
        std::optional<double> after;
    };
    const Row rows[] = {
        {0, "", 1, 0},
        {0, "2.5", 1, 2.5},
        {2.5, "2.5", -1, 0},
        {1, "-1", -1, 2},
        {1, "abc", 1, 1},
        {0, "1E+20", 1, 1e20},
        {0, "3x", 1, 3},
        {1e308, "1E+308", 1, std::nullopt},  // would not be finite: the memory stays
        {-1e308, "1E+308", -1, std::nullopt},
    };
    for (const auto& r : rows)
        EXPECT_EQ(memoryAfter(r.memory, r.result, r.sign), r.after) << r.memory << " " << r.result;
}

TEST(EvaluatorText, ChangeSignNeedsANumber)
{
    struct Row {
        const char* result;
        std::optional<std::string> after;
    };
    const Row rows[] = {
        {"2", "-2"}, {"-2", "2"},        {"2.5", "-2.5"},       {"0", "0"},           {"-0", "0"}, {"1E+20", "-1E+20"},
        {"-1", "1"}, {"", std::nullopt}, {"abc", std::nullopt}, {"2x", std::nullopt},
    };
    for (const auto& r : rows)
        EXPECT_EQ(negatedResult(r.result), r.after) << r.result;
}

TEST(EvaluatorText, ErrorMessageLayout)
{
    tessaly::engine::ScriptError e;
    e.number = 1002;
    e.source = "Expression compilation error";
    e.description = "Syntax error";
    e.line = 1;
    e.column = 2;
    e.text = "2+";
    EXPECT_EQ(tessaly::engine::errorMessage(e),
              "Expression compilation error 1002\nSyntax error\n\nAt line 1, col 2: [2+]");
    EXPECT_EQ(resultRow("2.5"), "     2.5");
    for (int n : {5, 6, 11, -2147352319})
        EXPECT_TRUE(silentError(n)) << n;
    for (int n : {13, 1002, 1025, 28, 0})
        EXPECT_FALSE(silentError(n)) << n;
}

}  // namespace
