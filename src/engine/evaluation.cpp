#include "engine/evaluation.h"

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
