#include "engine/evaluation.h"

#include "engine/class1.h"
#include "engine/engine.h"

namespace tessaly::engine {

FunctionValue evaluateAt(Engine& engine, Class1& object, std::string_view text, double x)
{
    object.x = x;
    object.ierr = 0;
    const EvalResult r = engine.eval(text);
    if (r.error)
        return {0, r.error};
    const NumberOutcome n = toNumber(r.value);
    if (n.error)
        return {0, n.error};
    if (object.ierr)
        return {0, object.ierr};
    return {n.value, 0};
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
