// The engine's interface: statements, names, the shared object, errors and their observer.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "enginefixture.h"

using tessaly::engine::Class1;
using tessaly::engine::Engine;
using tessaly::engine::ScriptError;
using tessaly::engine::Value;
using tessaly::engine::testing::WindowEngine;

namespace {

TEST(Engine, StatementsPersistAndNamesIgnoreCase)
{
    WindowEngine w;
    EXPECT_EQ(w.engine.executeStatement("a=2.37"), 0);
    EXPECT_EQ(w.value("A*2").value, 4.74);
    EXPECT_EQ(w.value("never_set + 1").value, 1);
    EXPECT_EQ(w.engine.executeStatement("A=1"), 0);
    EXPECT_EQ(w.engine.executeStatement("a=2"), 0);
    EXPECT_EQ(w.value("a").value, 2);
    EXPECT_EQ(w.engine.executeStatement("b = a * 3"), 0);
    EXPECT_EQ(w.value("b").value, 6);
    EXPECT_EQ(w.engine.executeStatement("   "), 0);
    EXPECT_EQ(w.value("b = 6").value, -1) << "inside an expression = compares";
}

TEST(Engine, CompiledTextSeesNewValuesOfItsNames)
{
    WindowEngine w;
    w.engine.executeStatement("a=2");
    EXPECT_EQ(w.value("a*x+1", 3).value, 7);
    w.engine.executeStatement("a=\"5\"");  // a text: the value path changes
    EXPECT_EQ(w.value("a*x+1", 3).value, 16);
    EXPECT_EQ(w.value("a+a").value, 55);
    w.engine.executeStatement("a=True");
    EXPECT_EQ(w.value("a*x+1", 3).value, -2);
    w.engine.executeStatement("a=Null");
    EXPECT_EQ(w.value("a*x+1", 3).error, 94);
    w.engine.executeStatement("a=4");
    EXPECT_EQ(w.value("a*x+1", 3).value, 13);
}

struct StatementRow {
    const char* text;
    int error;
};

void PrintTo(const StatementRow& r, std::ostream* os) { *os << r.text; }

class Statements : public ::testing::TestWithParam<StatementRow> {};

TEST_P(Statements, FailWith)
{
    WindowEngine w;
    EXPECT_EQ(w.engine.executeStatement(GetParam().text), GetParam().error);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, Statements,
    ::testing::Values(StatementRow{"sin = 3", 501}, StatementRow{"SQR=1", 501}, StatementRow{"Asin = 1", 501},
                      StatementRow{"sin(1) = 2", 501}, StatementRow{"a(1) = 2", 13}, StatementRow{"pi = \"abc\"", 13},
                      StatementRow{"ierr = 1E10", 6}, StatementRow{"x = Null", 94}, StatementRow{"a = 1/0", 11},
                      StatementRow{"a=", 1002}, StatementRow{"a=2.3.4", 1025}, StatementRow{"=5", 1024},
                      StatementRow{"2a=5", 1024}, StatementRow{"True=1", 1024}, StatementRow{"If=1", 1024},
                      StatementRow{"a_b=1", 0}, StatementRow{"foo", 13}, StatementRow{"Sin", 450},
                      StatementRow{"Sin(1)", 0}, StatementRow{"Sin 1", 0}, StatementRow{"a = 1 : b = 2", 1025},
                      StatementRow{"a == 1", 1002}, StatementRow{"", 0}));

TEST(Engine, FailedStatementLeavesTheVariable)
{
    WindowEngine w;
    w.engine.executeStatement("a=4");
    EXPECT_EQ(w.engine.executeStatement("a=1/0"), 11);
    EXPECT_EQ(w.value("a").value, 4);
}

TEST(Engine, ObjectFieldsAreGlobalNamesSharedByEngines)
{
    WindowEngine main;
    Engine evaluator;
    evaluator.addObject(main.object);

    EXPECT_EQ(main.object.halfpi, std::atan(1.0) * 2);
    EXPECT_EQ(main.object.pi, std::atan(1.0) * 4);
    EXPECT_EQ(main.object.e, std::exp(1.0));

    main.engine.executeStatement("a=2.37");
    main.engine.executeStatement("pi=3");
    EXPECT_EQ(main.object.pi, 3);
    EXPECT_EQ(evaluator.eval("pi").value, Value::number(3));
    EXPECT_EQ(evaluator.eval("a & \"\"").value, Value::text("")) << "user constants stay in their engine";
    EXPECT_EQ(evaluator.eval("Asin(1)").value, Value::number(main.object.halfpi));

    main.engine.executeStatement("x=3");
    EXPECT_EQ(main.value("x", 0.5).value, 0.5) << "every evaluation sets x first";
    main.engine.executeStatement("ierr = 2.5");
    EXPECT_EQ(main.object.ierr, 2);
}

TEST(Engine, EngineWithoutTheObjectKnowsOnlyTheLanguage)
{
    Engine plain;
    EXPECT_EQ(plain.eval("pi & \"\"").value, Value::text(""));
    EXPECT_EQ(plain.eval("Asin(1)").error, 13);
    EXPECT_EQ(plain.eval("Sin(0)").value, Value::number(0));
}

TEST(Engine, ObserverHearsEveryFailureBeforeTheCallReturns)
{
    WindowEngine w;
    std::vector<ScriptError> heard;
    bool returned = false;
    w.engine.setErrorObserver([&](const ScriptError& e) {
        EXPECT_FALSE(returned);
        heard.push_back(e);
    });

    w.engine.eval("2+");
    w.engine.eval("2+");  // a text kept compiled still reports each time
    w.engine.eval("1/0");
    w.engine.executeStatement("sin = 3");
    w.engine.eval("Asin(2)");  // fails inside the object, not in the engine
    returned = true;

    ASSERT_EQ(heard.size(), 4u);
    EXPECT_EQ(heard[0].number, 1002);
    EXPECT_EQ(heard[0].description, "Syntax error");
    EXPECT_EQ(heard[0].source, tessaly::engine::kCompileErrorSource);
    EXPECT_EQ(heard[0].line, 1);
    EXPECT_EQ(heard[0].column, 3);
    EXPECT_EQ(heard[0].text, "2+");
    EXPECT_EQ(heard[1].number, 1002);
    EXPECT_EQ(heard[2].number, 11);
    EXPECT_EQ(heard[2].description, "Division by zero");
    EXPECT_EQ(heard[2].source, tessaly::engine::kRuntimeErrorSource);
    EXPECT_EQ(heard[2].column, 0);
    EXPECT_EQ(heard[2].text, "");
    EXPECT_EQ(heard[3].number, 501);
    EXPECT_EQ(heard[3].description, "Illegal assignment");
}

TEST(Engine, TextsCannotReachAnythingButArithmetic)
{
    WindowEngine w;
    for (const char* text : {"CreateObject(\"WScript.Shell\")", "Execute(\"a=1\")", "Eval(\"1\")", "GetObject(\"x\")",
                             "MsgBox(1)", "InputBox(\"a\")", "Shell(\"ls\")", "Kill(\"f\")"})
        EXPECT_EQ(w.engine.eval(text).error, 13) << text;
    EXPECT_EQ(w.engine.executeStatement("Execute \"a=1\""), 13);
    EXPECT_EQ(w.value("a").value, 0);
}

TEST(Engine, FunctionEvaluatorMatchesEvaluateAtAndSurvivesEviction)
{
    WindowEngine w;
    w.engine.executeStatement("a=2");
    const std::string text = "a*x^3 - Asin(x/10) + Tanh(x)";
    tessaly::engine::FunctionEvaluator f(w.engine, w.object, text);
    for (double x : {-8.0, -1.5, 0.0, 2.5, 9.99, 12.0}) {
        const auto expected = w.value("a*x^3 - Asin(x/10) + Tanh(x)", x);
        // evaluate other texts in between, enough to push this one out of the engine's keeping
        for (int i = 0; i < 20; ++i)
            w.engine.eval(std::to_string(i) + "+x");
        const auto got = f.at(x);
        EXPECT_EQ(got.error, expected.error) << x;
        EXPECT_EQ(got.value, expected.value) << x;
    }
    EXPECT_EQ(f.at(12).error, 5) << "Asin(1.2) fails inside the object";
    w.engine.executeStatement("a=\"3\"");  // a text: the general evaluator takes over
    EXPECT_EQ(f.at(1).value, w.value("3*1^3 - Asin(0.1) + Tanh(1)").value);
}

TEST(Engine, FunctionEvaluatorReportsACompileErrorAtEveryEvaluation)
{
    WindowEngine w;
    int reported = 0;
    w.engine.setErrorObserver([&](const ScriptError& e) {
        EXPECT_EQ(e.number, 1025);
        ++reported;
    });
    const std::string text = "2x";
    tessaly::engine::FunctionEvaluator f(w.engine, w.object, text);
    EXPECT_EQ(f.at(1).error, 1025);
    EXPECT_EQ(f.at(2).error, 1025);
    EXPECT_EQ(reported, 2);
}

TEST(Engine, WindowShowsEngineErrorsExceptTheToleratedOnes)
{
    using tessaly::engine::isTolerated;
    using tessaly::engine::mainWindowShowsError;
    for (int n : {5, 6, 11, -2147352319}) {
        EXPECT_TRUE(isTolerated(n));
        EXPECT_FALSE(mainWindowShowsError(n));
    }
    EXPECT_FALSE(isTolerated(1025));
    EXPECT_FALSE(mainWindowShowsError(1025));
    for (int n : {13, 28, 450, 501, 1002, 1006, 1031, 1032})
        EXPECT_TRUE(mainWindowShowsError(n)) << n;
}

}  // namespace
