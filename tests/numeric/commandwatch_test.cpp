// A command watched from another thread: stopped when asked, before its next
// value of f, and telling how far it has come.

#include "numeric/commandwatch.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "numeric/integrator.h"
#include "numeric/rootfinder.h"
#include "studyfixture.h"

using tessaly::engine::FunctionValue;
using tessaly::numeric::Cancelled;
using tessaly::numeric::CommandWatch;
using tessaly::numeric::ProgressScale;
using tessaly::numeric::StudyFunction;
using tessaly::numeric::WatchedFunction;
using tessaly::numeric::testing::Scripted;
using tessaly::numeric::testing::Study;

namespace {

// f = x, computing ahead every value it is given; counts what it computes.
class Ahead final : public StudyFunction {
public:
    FunctionValue at(double x) override
    {
        ++asked;
        return {x, 0};
    }
    std::int32_t trapped(std::int32_t raised) override { return raised; }
    void tabulate(const double* xs, std::size_t n, double* values, std::uint8_t* known) override
    {
        blocks.push_back(n);
        for (std::size_t k = 0; k < n; ++k) {
            values[k] = xs[k];
            known[k] = 1;
        }
        if (cancelAfterBlock)
            watch->cancel();
    }
    int asked = 0;
    std::vector<std::size_t> blocks;
    bool cancelAfterBlock = false;
    CommandWatch* watch = nullptr;
};

TEST(CommandWatch, FractionOnlyGrowsWithinZeroAndOne)
{
    CommandWatch w;
    for (const auto& [given, seen] : std::vector<std::pair<double, double>>{
             {0.25, 0.25}, {0.125, 0.25}, {-1, 0.25}, {NAN, 0.25}, {0.5, 0.5}, {7, 1}, {0.75, 1}}) {
        w.advance(given);
        EXPECT_EQ(w.fraction(), seen) << given;
    }
    w.cancel();
    w.reset();
    EXPECT_EQ(w.fraction(), 0);
    EXPECT_FALSE(w.cancelled());
}

// A stop asked before a value throws instead of asking f; values already
// given stay given.
TEST(CommandWatch, AStopEndsTheCommandBeforeItsNextValue)
{
    CommandWatch watch;
    Ahead f;
    WatchedFunction w(f, watch, {});
    EXPECT_EQ(w.at(2).value, 2);
    watch.cancel();
    EXPECT_THROW(w.at(3), Cancelled);
    EXPECT_EQ(f.asked, 1);
}

// Values ahead are computed in blocks of 2048, the stop read before each: a
// stop during the first block leaves the remaining values to at().
TEST(CommandWatch, ValuesAheadStopAtTheNextBlock)
{
    CommandWatch watch;
    Ahead f;
    f.watch = &watch;
    f.cancelAfterBlock = true;
    WatchedFunction w(f, watch, {});
    std::vector<double> xs(5000, 1.0), values(5000, 0);
    std::vector<std::uint8_t> known(5000, 1);
    w.tabulate(xs.data(), xs.size(), values.data(), known.data());
    ASSERT_EQ(f.blocks, std::vector<std::size_t>{WatchedFunction::kBlock});
    EXPECT_EQ(known[WatchedFunction::kBlock - 1], 1);
    EXPECT_EQ(known[WatchedFunction::kBlock], 0);
    EXPECT_EQ(known[4999], 0);

    CommandWatch idle;
    Ahead g;
    WatchedFunction v(g, idle, {});
    v.tabulate(xs.data(), xs.size(), values.data(), known.data());
    EXPECT_EQ(g.blocks, (std::vector<std::size_t>{2048, 2048, 904}));
    EXPECT_EQ(known[4999], 1);
}

// The grid's progress is the place in [lower, upper] of the last value asked;
// the integral's is the values computed, told 1024 at a time.
TEST(CommandWatch, ProgressFollowsTheScale)
{
    CommandWatch grid;
    Ahead f;
    WatchedFunction g(f, grid, {ProgressScale::Kind::Interval, -8, 8, 1});
    g.at(-8);
    EXPECT_EQ(grid.fraction(), 0);
    g.at(0);
    EXPECT_EQ(grid.fraction(), 0.5);
    g.at(-4);
    EXPECT_EQ(grid.fraction(), 0.5);
    g.at(8);
    EXPECT_EQ(grid.fraction(), 1);

    CommandWatch work;
    WatchedFunction i(f, work, {ProgressScale::Kind::Work, 0, 1, 4096});
    for (int k = 0; k < 1023; ++k)
        i.at(0.5);
    EXPECT_EQ(work.fraction(), 0);
    i.at(0.5);
    EXPECT_EQ(work.fraction(), 0.25);
}

// A real command stopped part way: Roots over a grid of 2^20 stops when its
// f asks for it, after exactly the values it had, and throws.
TEST(CommandWatch, ARootsScanStopsWhereItIsAsked)
{
    CommandWatch watch;
    Scripted f;
    int values = 0;
    f.f = [&](double x) {
        if (++values == 1000)
            watch.cancel();
        return FunctionValue{x - 0.7, 0};
    };
    WatchedFunction w(f, watch, {ProgressScale::Kind::Interval, 0, 1, 1});
    EXPECT_THROW(tessaly::numeric::findRoots(w, Study::inputs("", 0, 1, 1 << 20)), Cancelled);
    EXPECT_EQ(values, 1000);
    EXPECT_EQ(watch.fraction(), 999.0 / (1 << 20));
}

// The integral's work: 4 * 2^M + 1 values for M halvings; a run of every
// halving ends at 1, a stop in the middle ends it with Cancelled.
TEST(CommandWatch, AnIntegralTellsItsHalvingsAndStops)
{
    Study s;
    auto f = s.function("Sin(x)");
    CommandWatch watch;
    const auto in = Study::inputs("Sin(x)", 0, 1, 2, -1, 12);  // never converges: 12 halvings
    {
        WatchedFunction w(f, watch, {ProgressScale::Kind::Work, 0, 1, std::ldexp(1.0, 14) + 1});
        const auto r = tessaly::numeric::integrate(w, in, {1, 1});
        ASSERT_TRUE(r.value);
        // All the 2^14 + 1 values but those (fewer than 1024) not yet told.
        EXPECT_GT(watch.fraction(), 1 - 1024.0 / (std::ldexp(1.0, 14) + 1));
    }
    watch.reset();
    Scripted g;
    int values = 0;
    g.f = [&](double x) {
        if (++values == 300)
            watch.cancel();
        return FunctionValue{std::sin(x), 0};
    };
    WatchedFunction w(g, watch, {ProgressScale::Kind::Work, 0, 1, std::ldexp(1.0, 14) + 1});
    EXPECT_THROW(tessaly::numeric::integrate(w, in, {1, 1}), Cancelled);
    EXPECT_EQ(values, 300);
}

}  // namespace
