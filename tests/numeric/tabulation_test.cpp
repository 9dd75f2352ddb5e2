// The commands give the same outcome, to the bit, whether f is asked one x at a
// time, computed ahead in blocks, or computed ahead on several threads; and
// what the window sees of f's failures (the engine's reports, the extension
// object, its error field) is the same too.

#include "numeric/tabulation.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "numeric/commandwatch.h"
#include "numeric/extremafinder.h"
#include "numeric/integrator.h"
#include "numeric/rootfinder.h"
#include "studyfixture.h"

using tessaly::engine::FunctionValue;
using tessaly::numeric::Parallelism;
using tessaly::numeric::StudyFunction;
using tessaly::numeric::StudyInputs;
using tessaly::numeric::testing::Study;

namespace {

std::uint64_t bits(double v) { return std::bit_cast<std::uint64_t>(v); }

// f as it was asked before anything was computed ahead: it computes nothing
// ahead and has no twin.
class OneAtATime final : public StudyFunction {
public:
    explicit OneAtATime(StudyFunction& f) : m_f(f) {}
    FunctionValue at(double x) override { return m_f.at(x); }
    std::int32_t trapped(std::int32_t raised) override { return m_f.trapped(raised); }

private:
    StudyFunction& m_f;
};

// Counts the twins asked for.
class Counting final : public StudyFunction {
public:
    explicit Counting(StudyFunction& f) : m_f(f) {}
    FunctionValue at(double x) override { return m_f.at(x); }
    std::int32_t trapped(std::int32_t raised) override { return m_f.trapped(raised); }
    void tabulate(const double* xs, std::size_t n, double* values, std::uint8_t* known) override
    {
        m_f.tabulate(xs, n, values, known);
    }
    std::unique_ptr<StudyFunction> twin() const override
    {
        ++twins;
        return m_f.twin();
    }
    mutable int twins = 0;

private:
    StudyFunction& m_f;
};

// What a command leaves that anyone can see: its outcome's texts and numbers
// (as bits), the engine's reports, and the extension object with a window's
// error field.
struct Seen {
    std::vector<std::string> texts;
    std::vector<std::uint64_t> numbers;
    std::vector<std::int32_t> told;
    std::int32_t error = 0, ierr = 0, field = 0;
    std::uint64_t objectX = 0;
    bool operator==(const Seen&) const = default;
};

enum class Command { Roots, Extrema, Integral };
enum class Mode { OneAtATime, Blocks, Threads, Watched };

Seen run(Command command, Mode mode, const StudyInputs& in, const std::vector<std::string>& constants = {})
{
    Study s;
    std::int32_t field = 0;
    s.object.attachErrorField(&field);
    for (const std::string& c : constants)
        EXPECT_EQ(s.engine.executeStatement(c), 0) << c;
    auto engineFunction = s.function(in.equation);
    OneAtATime one(engineFunction);
    // Watched as a command off the window's thread is, on threads, and never stopped.
    tessaly::numeric::CommandWatch watch;
    tessaly::numeric::WatchedFunction watched(engineFunction, watch, {});
    StudyFunction& f = mode == Mode::OneAtATime ? static_cast<StudyFunction&>(one)
                       : mode == Mode::Watched  ? static_cast<StudyFunction&>(watched)
                                                : engineFunction;
    const Parallelism parallelism = mode == Mode::Threads || mode == Mode::Watched
                                        ? Parallelism{4, 1}
                                        : Parallelism{1, std::numeric_limits<std::size_t>::max()};
    Seen seen;
    auto number = [&](double v) { seen.numbers.push_back(bits(v)); };
    switch (command) {
    case Command::Roots: {
        const auto r = tessaly::numeric::findRoots(f, in, parallelism);
        seen.texts = r.rows;
        seen.texts.push_back(r.label.value_or("(none)"));
        for (const auto& w : r.warnings)
            seen.texts.push_back(w.text);
        for (const double v : r.slopes)
            number(v);
        number(r.currentX);
        seen.error = r.error;
        break;
    }
    case Command::Extrema: {
        const auto r = tessaly::numeric::findExtrema(f, in, parallelism);
        seen.texts = r.rows;
        seen.texts.push_back(r.label.value_or("(none)"));
        for (const auto& e : r.found) {
            number(e.x);
            number(e.y);
            number(e.step);
        }
        number(r.currentX);
        seen.error = r.error;
        break;
    }
    case Command::Integral: {
        const auto r = tessaly::numeric::integrate(f, in, parallelism);
        seen.texts.push_back(r.label.value_or("(none)"));
        seen.texts.push_back(r.message.value_or("(none)"));
        for (const double v : r.estimates)
            number(v);
        number(r.value.value_or(-1));
        number(r.currentX);
        seen.error = r.error;
        break;
    }
    }
    for (const auto& m : s.messages)
        seen.told.push_back(m.number);
    seen.ierr = s.object.ierr;
    seen.field = field;
    seen.objectX = bits(s.object.x);
    return seen;
}

void expectSameInEveryMode(Command command, const StudyInputs& in, const std::vector<std::string>& constants,
                           std::int32_t error)
{
    const Seen one = run(command, Mode::OneAtATime, in, constants);
    EXPECT_EQ(one.error, error) << in.equation;
    EXPECT_TRUE(run(command, Mode::Blocks, in, constants) == one) << in.equation << " in blocks";
    EXPECT_TRUE(run(command, Mode::Threads, in, constants) == one) << in.equation << " on threads";
    EXPECT_TRUE(run(command, Mode::Watched, in, constants) == one) << in.equation << " watched";
}

const std::string kDefault = "pi/3*x*sin(x)*tanh(x)";

TEST(Tabulation, ScansAreTheSameInEveryMode)
{
    for (const Command c : {Command::Roots, Command::Extrema}) {
        expectSameInEveryMode(c, Study::inputs(kDefault, -8, 8, 256), {}, 0);
        expectSameInEveryMode(c, Study::inputs(kDefault, -8, 8, 20000, 1e-9), {}, 0);
        expectSameInEveryMode(c, Study::inputs("a*x*x*x-x+Asin(x/9)", -8, 8, 3001), {"a=0.01"}, 0);
        expectSameInEveryMode(c, Study::inputs("Sgn(x)*x^2-1/4", -1, 1, 1000), {}, 0);  // zeros on the grid
        expectSameInEveryMode(c, Study::inputs("x +", -1, 1, 100), {}, 1002);
    }
}

// f fails (11, tolerated: the scan goes on) at a grid point at the start of a
// block (256), at the start of a thread's run (251 and 502 of 1001 points on 4
// threads) and in the middle; for the extension object's Atanh it is the object
// that stores 11. The Extrema scan asks for x - d and x + d, so there f fails at
// c + d, c = the grid point.
TEST(Tabulation, ScansFailAtTheSameGridPointInEveryMode)
{
    for (const int c : {251, 256, 502, 700}) {
        const std::string at = "c=" + std::to_string(c);
        for (const std::string f : {"1/(x-c)", "Atanh(1-Abs(x-c)/2000)*x-300"}) {
            expectSameInEveryMode(Command::Roots, Study::inputs(f, 0, 1000, 1000), {at}, 11);
            expectSameInEveryMode(Command::Extrema, Study::inputs(f, 0, 1000, 1000), {at + "+0.0045"}, 11);
        }
    }
}

TEST(Tabulation, IntegralsAreTheSameInEveryMode)
{
    expectSameInEveryMode(Command::Integral, Study::inputs(kDefault, -8, 8, 256, 1e-300, 13), {}, 0);
    expectSameInEveryMode(Command::Integral, Study::inputs(kDefault, -8, 8, 256), {}, 0);
    expectSameInEveryMode(Command::Integral, Study::inputs("x^-2", -1, 1, 2), {}, 11);
    expectSameInEveryMode(Command::Integral, Study::inputs("1E300*x", 0, 1E300, 2, 1e-300, 12), {}, 6);
}

// The last halving of [0, 4096] with 12 halvings asks for 8192 midpoints
// 0.25, 0.75, ...: f fails at the one of index 2048 (a block's start, and the
// second of four threads' runs) or 1000 (inside a block), and nowhere before.
// Atanh stores 11 in the object.
TEST(Tabulation, IntegralsFailAtTheSameMidpointInEveryMode)
{
    for (const char* c : {"c=1024.25", "c=500.25"}) {
        for (const std::string f : {"1/(x-c)", "Atanh(1-Abs(x-c)/5000)"}) {
            const Seen one = run(Command::Integral, Mode::OneAtATime, Study::inputs(f, 0, 4096, 2, 1e-300, 12), {c});
            EXPECT_EQ(one.error, 11) << f;
            EXPECT_EQ(one.objectX, bits(std::stod(std::string(c).substr(2)))) << f;
            expectSameInEveryMode(Command::Integral, Study::inputs(f, 0, 4096, 2, 1e-300, 12), {c}, 11);
        }
    }
}

// One thread, or fewer values than the minimum, and no twin is made. (The
// 8192 midpoints of the 12th halving are computed ahead in tables of 1024,
// 2048, 4096 and 1024 values; none of the halvings before has more.)
TEST(Tabulation, OneThreadOrLittleWorkMakesNoTwin)
{
    const StudyInputs in = Study::inputs(kDefault, -8, 8, 256, 1e-300, 12);
    for (const auto& [parallelism, twins] : {std::pair{Parallelism{1, 1}, 0}, std::pair{Parallelism{4, 4097}, 0},
                                             std::pair{Parallelism{4, 4096}, 3}, std::pair{Parallelism{2, 1}, 1}}) {
        Study s;
        auto f = s.function(kDefault);
        Counting counting(f);
        tessaly::numeric::integrate(counting, in, parallelism);
        EXPECT_EQ(counting.twins, twins) << parallelism.threads << " threads from " << parallelism.minimum;
    }
}

}  // namespace
