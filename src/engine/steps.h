#pragma once

#include <cstdint>

#include "engine/arithmetic.h"

namespace tessaly::engine {

// Runs the steps of a formula in the language's arithmetic, in the order they
// are written. After the first failure the remaining steps do nothing and give
// 0, and error() tells the number of that failure (the failing step itself gives
// what the operation left). One chain replaces a test after every step.
class Steps {
public:
    double add(double a, double b) { return step(num::add, a, b); }
    double sub(double a, double b) { return step(num::sub, a, b); }
    double mul(double a, double b) { return step(num::mul, a, b); }
    double div(double a, double b) { return step(num::div, a, b); }
    double exp(double a) { return step1(num::fnExp, a); }
    double log(double a) { return step1(num::fnLog, a); }
    double sqr(double a) { return step1(num::fnSqr, a); }
    double atn(double a) { return step1(num::fnAtn, a); }

    std::int32_t error() const { return m_error; }
    bool failed() const { return m_error != 0; }
    // Fails the chain with a number of its own (nothing when it failed already).
    void fail(std::int32_t number)
    {
        if (m_error == 0)
            m_error = number;
    }

protected:
    // Runs one step that writes a result and returns 0 or an error number,
    // unless the chain has failed already.
    template <typename Step>
    double run(Step&& s)
    {
        double r = 0;
        if (m_error == 0)
            m_error = s(r);
        return r;
    }

private:
    double step(std::int32_t (*f)(double, double, double&), double a, double b)
    {
        return run([&](double& r) { return f(a, b, r); });
    }
    double step1(num::UnaryFn f, double a)
    {
        return run([&](double& r) { return f(a, r); });
    }

    std::int32_t m_error = 0;
};

}  // namespace tessaly::engine
