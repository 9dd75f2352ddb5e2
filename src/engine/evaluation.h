#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "engine/class1.h"
#include "engine/engine.h"

namespace tessaly::engine {

// A value of f, or the number of the run-time error that its evaluation raised.
struct FunctionValue {
    double value = 0;
    std::int32_t error = 0;
};

// f at x, as a window evaluates its function text: x goes into the object's x,
// the object's ierr is cleared, the engine evaluates the text (an engine failure
// is reported through its observer and raised) and the result is converted to a
// double (13 for a text that is not a number, 94 for Null; not engine errors, so
// not reported); finally a failure inside an extension function (the object's
// ierr) is raised, dropping the value.
FunctionValue evaluateAt(Engine& engine, Class1& object, std::string_view text, double x);

// Evaluates one function text for many abscissas, as evaluateAt does, without
// looking the text up again each time (the values of f that a command needs).
// The text is not copied: it must outlive the evaluator (a temporary is refused).
class FunctionEvaluator {
public:
    FunctionEvaluator(Engine& engine, Class1& object, const std::string& text);
    FunctionEvaluator(Engine& engine, Class1& object, std::string&& text) = delete;
    FunctionValue at(double x)
    {
        if (m_epoch != m_engine.epoch())
            prepare();
        m_object.x = x;
        m_object.ierr = 0;
        double value = 0;
        if (const std::int32_t error = m_engine.evalNumber(*m_prepared, value))
            return {0, error};
        if (m_object.ierr)
            return {0, m_object.ierr};
        return {value, 0};
    }
    std::string_view text() const { return m_text; }

    // f at xs[0..n) in order, as at() gives each value, stopping at the first
    // failure: returns how many values were computed before it. When that is
    // less than n, failure holds what at() gave for xs[count] (reported as at()
    // reports it) and nothing was evaluated after it. The values are computed a
    // block at a time (see Program::runBlock); an x the block leaves open is
    // evaluated by at(), and the extension object is left as at() leaves it.
    std::size_t atEach(const double* xs, std::size_t n, double* values, FunctionValue& failure);

    // f at xs[0..n) without any effect beyond values and known: known[k] is 1
    // where values[k] holds what at(xs[k]) gives, 0 where at() would fail or
    // must be called to tell (for the caller to call at the moment at() would
    // be called).
    void tabulate(const double* xs, std::size_t n, double* values, std::uint8_t* known);

private:
    void prepare();

    Engine& m_engine;
    Class1& m_object;
    std::string_view m_text;
    Engine::Prepared* m_prepared = nullptr;
    std::uint64_t m_epoch = kNotPrepared;                             // the engine's epoch when m_prepared was found
    static constexpr std::uint64_t kNotPrepared = ~std::uint64_t{0};  // (an epoch never gets there)
};

// The number a window's error trap records for a raised error: the object's ierr
// when it is not 0 (it is then cleared), the raised number otherwise.
std::int32_t trappedError(std::int32_t raised, Class1& object);

// The statements every window engine runs after receiving the object, in order.
inline constexpr std::string_view kStartupStatements[] = {"halfpi = Atn(1) * 2", "pi = Atn(1) * 4", "e = Exp(1)"};

// Sets an engine up as a window sets up its own: the extension object, then the
// start-up statements.
void prepareWindowEngine(Engine& engine, Class1& object);

}  // namespace tessaly::engine
