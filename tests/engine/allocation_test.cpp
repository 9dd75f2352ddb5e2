// Evaluating a compiled numeric expression again does no parsing and allocates
// nothing; compiling and evaluating any text, however hostile, takes memory in
// proportion to its length and no more.

#include <gtest/gtest.h>
#include <malloc.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <functional>
#include <new>
#include <string>

#include "engine/operations.h"
#include "enginefixture.h"

namespace {
std::atomic<bool> g_counting{false};
std::atomic<long> g_allocations{0};
std::atomic<std::size_t> g_live{0};  // bytes allocated and not yet freed
std::atomic<std::size_t> g_peak{0};

void release(void* p)
{
    if (p)
        g_live -= malloc_usable_size(p);
    std::free(p);
}
}  // namespace

// Out of line, so the compiler does not pair a visible free() with operator new.
[[gnu::noinline]] void* operator new(std::size_t size)
{
    if (g_counting)
        ++g_allocations;
    if (void* p = std::malloc(size ? size : 1)) {
        const std::size_t live = g_live += malloc_usable_size(p);
        if (live > g_peak)
            g_peak = live;
        return p;
    }
    throw std::bad_alloc();
}
[[gnu::noinline]] void operator delete(void* p) noexcept { release(p); }
[[gnu::noinline]] void operator delete(void* p, std::size_t) noexcept { release(p); }

namespace {

using tessaly::engine::testing::WindowEngine;

long allocationsDuring(const std::function<void()>& work)
{
    g_allocations = 0;
    g_counting = true;
    work();
    g_counting = false;
    return g_allocations;
}

TEST(Allocation, EvaluatingAgainAllocatesNothing)
{
    WindowEngine w;
    w.engine.executeStatement("a=2.37");
    for (const std::string text :
         {"pi/3*x*sin(x)*tanh(x)", "a*x*x+3*x-1", "Sqr(Abs(x))*Log(1+x*x)/(1+Exp(-x))", "x>1 And x<3"}) {
        tessaly::engine::FunctionEvaluator f(w.engine, w.object, text);
        f.at(0.5);
        w.value(text, 0.5);  // compiled once
        EXPECT_EQ(allocationsDuring([&] {
                      for (int i = 0; i < 1000; ++i) {
                          f.at(i * 0.01);
                          w.value(text, i * 0.01);
                      }
                  }),
                  0)
            << text;
    }
}

// The most bytes live at once during work, beyond those live before it.
std::size_t peakBytesDuring(const std::function<void()>& work)
{
    const std::size_t before = g_live;
    g_peak = before;
    work();
    return g_peak - before;
}

std::string chain(const std::string& unit, const std::string& last, std::size_t length)
{
    std::string text;
    while (text.size() + last.size() < length)
        text += unit;
    return text + last;
}

// Texts of 1.5 MB: chains that make ever longer texts (the compiler joins the
// constant ones in advance), a literal no value may hold, and long numeric
// chains. Compiling and evaluating each takes at most 128 bytes a character of
// the text and a fixed amount for the texts it makes: a character gives at most
// one instruction of 32 bytes, kept in the general and the numeric form, with
// the slack of a growing array.
TEST(Allocation, HostileTextsTakeMemoryInProportionToTheirLength)
{
    constexpr std::size_t kLength = 1500000;
    const struct {
        std::string text;
        std::int32_t error;
    } rows[] = {
        {chain("\"1\"&", "\"1\"", kLength), 7}, {chain("x&", "x", kLength), 7},
        {chain("\"1\"+", "\"1\"", kLength), 7}, {"\"" + std::string(kLength - 2, 'a') + "\"", 14},
        {chain("1+", "1", kLength), 0},         {chain("x*", "x", kLength), 0},
        {chain("x=", "x", kLength), 0},
    };
    for (const auto& row : rows) {
        WindowEngine w;
        tessaly::engine::EvalResult r;
        const std::size_t peak = peakBytesDuring([&] { r = w.engine.eval(row.text); });
        EXPECT_EQ(r.error, row.error) << row.text.substr(0, 12);
        EXPECT_LT(peak, 128 * kLength + 4 * tessaly::engine::kMaxEvaluationTextBytes) << row.text.substr(0, 12);
    }
}

TEST(Allocation, CountingSeesAllocations)
{
    WindowEngine w;
    // a new text must be compiled, which allocates: the counter itself works
    EXPECT_GT(allocationsDuring([&] { w.value("x+12345", 1); }), 0);
}

}  // namespace
