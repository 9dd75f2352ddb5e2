#include "engine/evaluation.h"

#include <algorithm>

#include "engine/class1.h"
#include "engine/engine.h"

namespace tessaly::engine {

namespace {

FunctionValue finish(const Class1& object, std::int32_t error, double value)
{
    if (error)
        return {0, error};
    if (object.ierr)
        return {0, object.ierr};
    return {value, 0};
}

}  // namespace

FunctionValue evaluateAt(Engine& engine, Class1& object, std::string_view text, double x)
{
    object.x = x;
    object.ierr = 0;
    const NumberOutcome n = engine.evalNumber(text);
    return finish(object, n.error, n.value);
}

FunctionEvaluator::FunctionEvaluator(Engine& engine, Class1& object, const std::string& text)
    : m_engine(engine), m_object(object), m_text(text)
{
}

void FunctionEvaluator::prepare()
{
    m_prepared = &m_engine.prepare(m_text);
    m_epoch = m_engine.epoch();
}

void FunctionEvaluator::tabulate(const double* xs, std::size_t n, double* values, std::uint8_t* known)
{
    if (m_epoch != m_engine.epoch())
        prepare();
    if (m_prepared->error) {
        std::fill(known, known + n, std::uint8_t{0});
        return;
    }
    // The block reads the object's x only through the values it is given, and
    // starts each x with ierr cleared; neither field is written.
    m_prepared->program->runBlock(xs, n, values, known);
}

std::size_t FunctionEvaluator::atEach(const double* xs, std::size_t n, double* values, FunctionValue& failure)
{
    constexpr std::size_t kBlock = 256;
    std::uint8_t known[kBlock];
    for (std::size_t start = 0; start < n; start += kBlock) {
        const std::size_t count = std::min(kBlock, n - start);
        tabulate(xs + start, count, values + start, known);
        for (std::size_t i = 0; i < count; ++i) {
            if (known[i])
                continue;
            const FunctionValue v = at(xs[start + i]);
            if (v.error) {
                failure = v;
                return start + i;
            }
            values[start + i] = v.value;
        }
    }
    if (n > 0) {
        // As at() leaves the object after the last value.
        m_object.x = xs[n - 1];
        m_object.ierr = 0;
    }
    return n;
}

void prepareWindowEngine(Engine& engine, Class1& object)
{
    engine.addObject(object);
    for (const auto statement : kStartupStatements)
        engine.executeStatement(statement);
}

std::int32_t trappedError(std::int32_t raised, Class1& object)
{
    if (object.ierr == 0)
        return raised;
    const std::int32_t n = object.ierr;
    object.ierr = 0;
    return n;
}

}  // namespace tessaly::engine
