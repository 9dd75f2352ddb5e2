#pragma once

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <string>

#include "engine/class1.h"
#include "engine/engine.h"
#include "engine/evaluation.h"

namespace tessaly::engine::testing {

// An engine set up as a window sets up its own: the extension object, then the
// start-up statements for halfpi, pi and e.
struct WindowEngine {
    Class1 object;
    Engine engine;

    WindowEngine() { prepareWindowEngine(engine, object); }

    // The value of text converted to a double, or the error number raised.
    FunctionValue value(const std::string& text, double x = 0) { return evaluateAt(engine, object, text, x); }
};

// Runs a compiled expression at x on the numeric and on the general evaluator:
// the same error, the same ierr, and a value of the same number and bits.
inline void expectEvaluatorsAgree(WindowEngine& w, Program& program, double x, const std::string& text)
{
    w.object.x = x;
    Value fast, general;
    w.object.ierr = 0;
    const auto e1 = program.run(fast);
    const auto ierr1 = w.object.ierr;
    w.object.ierr = 0;
    const auto e2 = program.runGeneric(general);
    EXPECT_EQ(e1, e2) << text << " at " << x;
    EXPECT_EQ(ierr1, w.object.ierr) << text << " at " << x;
    if (e1 == 0 && e2 == 0) {
        const auto a = toNumber(fast), b = toNumber(general);
        EXPECT_EQ(a.error, b.error) << text << " at " << x;
        EXPECT_EQ(std::bit_cast<std::uint64_t>(a.value), std::bit_cast<std::uint64_t>(b.value))
            << text << " at " << x << ": " << a.value << " vs " << b.value;
    }
}

}  // namespace tessaly::engine::testing
