// Any text at all gives a value or an error: random, mutated, deeply nested and
// very long texts. Also checks that the numeric evaluator agrees with the general
// one on random numeric expressions.

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "engine/errors.h"
#include "enginefixture.h"

using tessaly::engine::errorDescription;
using tessaly::engine::Value;
using tessaly::engine::testing::WindowEngine;

namespace {

const std::vector<std::string> kPieces = {
    "1",    "0",     "2.5",   ".5",       "1E3",  "1E",     "&H",    "&HFF", "&O7",  "x",     "pi",    "e",
    "a",    "Sin(",  "Asin(", "Log(",     "Sqr(", "Round(", "CInt(", "(",    ")",    ",",     "+",     "-",
    "*",    "/",     "\\",    "^",        "&",    "=",      "<>",    "<",    ">=",   " Mod ", " And ", " Not ",
    " Or ", " Xor ", " Eqv ", " Imp ",    "\"",   "\"a\"",  "\"1\"", "True", "Null", "Empty", " ",     "\t",
    ":",    "'",     "$",     "\xcf\x80", "\n",   "1E308",  "-1",    "If",   ".",    "_"};

std::string randomText(std::mt19937& rng, int pieces)
{
    std::uniform_int_distribution<std::size_t> pick(0, kPieces.size() - 1);
    std::string s;
    for (int i = 0; i < pieces; ++i)
        s += kPieces[pick(rng)];
    return s;
}

void expectWellFormedOutcome(WindowEngine& w, const std::string& text)
{
    const auto r = w.engine.eval(text);
    if (r.error == 0)
        return;
    const auto& e = w.engine.lastError();
    EXPECT_EQ(e.number, r.error) << text;
    EXPECT_FALSE(errorDescription(r.error).empty()) << r.error << " for " << text;
    if (r.error >= 1000 || r.error == 28) {
        EXPECT_GE(e.column, 1) << text;
        EXPECT_LE(static_cast<std::size_t>(e.column), text.size() + 1) << text;
    } else {
        EXPECT_EQ(e.column, 0) << text;
    }
}

TEST(Robustness, RandomTextsGiveAValueOrAnError)
{
    WindowEngine w;
    w.engine.executeStatement("a=3");
    std::mt19937 rng(20261206);
    std::uniform_int_distribution<int> length(0, 24);
    for (int i = 0; i < 20000; ++i)
        expectWellFormedOutcome(w, randomText(rng, length(rng)));
}

TEST(Robustness, RandomStatementsGiveZeroOrAnError)
{
    WindowEngine w;
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> length(0, 12);
    for (int i = 0; i < 5000; ++i) {
        const std::string text = (i % 2 ? "a=" : "") + randomText(rng, length(rng));
        const auto n = w.engine.executeStatement(text);
        if (n != 0) {
            EXPECT_FALSE(errorDescription(n).empty()) << n << " for " << text;
        }
    }
}

TEST(Robustness, MutatedTextsGiveAValueOrAnError)
{
    const std::vector<std::string> seeds = {
        "pi/3*x*sin(x)*tanh(x)", "x^5-3*x^3+2*x-1",    "Sqr(Abs(x))*Log(1+x*x)/(1+Exp(-x))",
        "Round(x, 2) & \"a\"",   "&HFFFF& Mod 7 \\ 2", "Not x > 1 Or x <= -1"};
    WindowEngine w;
    std::mt19937 rng(99);
    std::uniform_int_distribution<int> byte(0, 255);
    for (int i = 0; i < 20000; ++i) {
        std::string s = seeds[static_cast<std::size_t>(i) % seeds.size()];
        const int edits = 1 + i % 4;
        for (int k = 0; k < edits && !s.empty(); ++k) {
            const std::size_t at = static_cast<std::size_t>(rng() % (s.size() + 1));
            switch (rng() % 3) {
            case 0: s.insert(at, 1, static_cast<char>(byte(rng))); break;
            case 1:
                if (at < s.size())
                    s.erase(at, 1);
                break;
            default:
                if (at < s.size())
                    s[at] = static_cast<char>(byte(rng));
                break;
            }
        }
        expectWellFormedOutcome(w, s);
    }
}

TEST(Robustness, DeepNestingIsOutOfStackSpace)
{
    WindowEngine w;
    // Each unit nests once; the error points at the first one too many (for a
    // call, at its parenthesis).
    const struct {
        std::string unit;
        int at;
    } rows[] = {{"(", 0}, {"-", 0}, {"+", 0}, {"Not ", 0}, {"Sin(", 3}, {"Asin(", 4}};
    for (const auto& row : rows) {
        std::string text;
        for (int i = 0; i < 100000; ++i)
            text += row.unit;
        text += "1";
        EXPECT_EQ(w.engine.eval(text).error, 28) << row.unit;
        EXPECT_EQ(w.engine.lastError().column,
                  tessaly::engine::kMaxNesting * static_cast<int>(row.unit.size()) + row.at + 1)
            << row.unit;
    }
}

TEST(Robustness, LongTextsEvaluate)
{
    WindowEngine w;
    std::string sum;
    while (sum.size() < (1u << 20))
        sum += "x+";
    sum += "1";
    const auto r = w.value(sum, 2);
    EXPECT_EQ(r.error, 0);
    EXPECT_EQ(r.value, 2.0 * static_cast<double>(sum.size() / 2) + 1);

    std::string power;
    while (power.size() < (1u << 20))
        power += "1^";
    power += "1";
    EXPECT_EQ(w.value(power).value, 1);

    std::string junk(1u << 20, '\x01');
    EXPECT_EQ(w.engine.eval(junk).error, 1032);

    std::string text = "\"" + std::string(1u << 20, 'a') + "\"";
    EXPECT_EQ(w.engine.eval(text).error, 14) << "longer than any text may be";
}

// Random numeric expressions in x and a constant: the numeric evaluator (with its
// fused instructions) must give exactly what the general evaluator gives.
std::string numericExpression(std::mt19937& rng, int depth)
{
    static const char* leaves[] = {"x", "a", "2", "0.5", "3", "-1", "0", "pi", "1E300", "7.5"};
    static const char* ops[] = {"+", "-", "*", "/", "^", "\\", " Mod ", " And ", " Or ", "=", "<", ">=", " Xor "};
    static const char* fns[] = {"Sin", "Cos", "Exp",  "Log",  "Sqr",  "Abs",
                                "Int", "Atn", "CInt", "Tanh", "Asin", "Round"};
    if (depth == 0 || rng() % 4 == 0)
        return leaves[rng() % std::size(leaves)];
    std::string out;
    switch (rng() % 4) {
    case 0:
        out = fns[rng() % std::size(fns)];
        out += "(";
        out += numericExpression(rng, depth - 1);
        out += ")";
        break;
    case 1:
        out = "-";
        out += numericExpression(rng, depth - 1);
        break;
    case 2:
        out = "Not ";
        out += numericExpression(rng, depth - 1);
        break;
    default:
        out = "(";
        out += numericExpression(rng, depth - 1);
        out += ops[rng() % std::size(ops)];
        out += numericExpression(rng, depth - 1);
        out += ")";
        break;
    }
    return out;
}

TEST(Robustness, NumericFormAgreesWithTheGeneralEvaluator)
{
    WindowEngine w;
    w.engine.executeStatement("a=-2.5");
    std::mt19937 rng(4242);
    int numeric = 0;
    for (int i = 0; i < 5000; ++i) {
        const std::string text = numericExpression(rng, 5);
        auto compiled = w.engine.compile(text);
        ASSERT_TRUE(compiled.program) << text;
        numeric += compiled.program->hasNumericForm();
        for (double x : {-3.0, -0.5, 0.0, 1.0, 2.75})
            tessaly::engine::testing::expectEvaluatorsAgree(w, *compiled.program, x, text);
    }
    EXPECT_EQ(numeric, 5000);
}

}  // namespace
