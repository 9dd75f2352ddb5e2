// Evaluating a compiled numeric expression again does no parsing and allocates nothing.

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <functional>
#include <new>
#include <string>

#include "enginefixture.h"

namespace {
std::atomic<bool> g_counting{false};
std::atomic<long> g_allocations{0};
}  // namespace

// Out of line, so the compiler does not pair a visible free() with operator new.
[[gnu::noinline]] void* operator new(std::size_t size)
{
    if (g_counting)
        ++g_allocations;
    if (void* p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}
[[gnu::noinline]] void operator delete(void* p) noexcept { std::free(p); }
[[gnu::noinline]] void operator delete(void* p, std::size_t) noexcept { std::free(p); }

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
    for (const std::string text : {"pi/3*x*sin(x)*tanh(x)", "a*x*x+3*x-1", "Sqr(Abs(x))*Log(1+x*x)/(1+Exp(-x))", "x>1 And x<3"}) {
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

TEST(Allocation, CountingSeesAllocations)
{
    WindowEngine w;
    // a new text must be compiled, which allocates: the counter itself works
    EXPECT_GT(allocationsDuring([&] { w.value("x+12345", 1); }), 0);
}

}  // namespace
