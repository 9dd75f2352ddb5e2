#pragma once

#include <cstdint>
#include <string_view>

namespace tessaly::engine {

class Engine;
class Class1;

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

// The number a window's error trap records for a raised error: the object's ierr
// when it is not 0 (it is then cleared), the raised number otherwise.
std::int32_t trappedError(std::int32_t raised, Class1& object);

// The statements every window engine runs after receiving the object, in order.
inline constexpr std::string_view kStartupStatements[] = {"halfpi = Atn(1) * 2", "pi = Atn(1) * 4", "e = Exp(1)"};

}  // namespace tessaly::engine
