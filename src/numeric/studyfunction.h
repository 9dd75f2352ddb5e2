#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "engine/evaluation.h"

namespace tessaly::numeric {

// The function a numerical command studies: f at x, or the number of the
// run-time error its evaluation raised.
class StudyFunction {
public:
    virtual ~StudyFunction() = default;
    virtual engine::FunctionValue at(double x) = 0;
    // The number the command's error trap records for a raised error (the
    // extension object's own number first; it is then cleared).
    virtual std::int32_t trapped(std::int32_t raised) = 0;

    // f at xs[0..n) computed ahead, with no effect beyond values and known:
    // known[k] is 1 where values[k] is what at(xs[k]) gives, 0 where at() is to
    // be called when its turn comes (a failure, or what cannot be told without
    // effects). This default leaves every x to at().
    virtual void tabulate(const double* xs, std::size_t n, double* values, std::uint8_t* known);

    // An independent copy of f for another thread: the same values, sharing no
    // object with f. Null when f has none (then one thread does the work).
    virtual std::unique_ptr<StudyFunction> twin() const { return nullptr; }
};

// f as the main window evaluates its function text: through its engine and the
// shared extension object. The text must outlive the function (a temporary is refused).
class EngineFunction final : public StudyFunction {
public:
    EngineFunction(engine::Engine& engine, engine::Class1& object, const std::string& text);
    EngineFunction(engine::Engine& engine, engine::Class1& object, std::string&& text) = delete;
    engine::FunctionValue at(double x) override { return m_function.at(x); }
    std::int32_t trapped(std::int32_t raised) override;
    void tabulate(const double* xs, std::size_t n, double* values, std::uint8_t* known) override
    {
        m_function.tabulate(xs, n, values, known);
    }
    std::unique_ptr<StudyFunction> twin() const override;

private:
    engine::Engine& m_engine;
    engine::FunctionEvaluator m_function;
    engine::Class1& m_object;
};

}  // namespace tessaly::numeric
