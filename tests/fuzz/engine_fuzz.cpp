// Feeds any bytes to the engine as a study would: every line but the last is a
// statement, run through the statement entry and again as user constants; the
// last line is f, evaluated at a few abscissas through the extension object, as
// a value and as a number, by the numeric evaluator and the general one.
//
// Besides crashes, leaks, undefined behaviour, hangs and runaway memory (found by
// the sanitizers and libFuzzer's limits) it stops on outcomes that break the
// engine's own rules: an error number without a description, a compile error
// without a column in the text, or the two evaluators disagreeing.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "engine/class1.h"
#include "engine/engine.h"
#include "engine/errors.h"
#include "engine/evaluation.h"
#include "engine/userconstants.h"

namespace {

using namespace tessaly::engine;

void require(bool rule)
{
    if (!rule)
        __builtin_trap();
}

void checkError(const Engine& engine, std::int32_t number, std::string_view text)
{
    if (number == 0)
        return;
    require(!errorDescription(number).empty());
    const ScriptError& e = engine.lastError();
    require(e.number == number);
    if (number >= 1000 || number == err::OutOfStackSpace)
        require(e.column >= 1 && static_cast<std::size_t>(e.column) <= text.size() + 1);
    else
        require(e.column == 0);
}

bool sameNumber(double a, double b) { return a == b || std::memcmp(&a, &b, sizeof a) == 0; }

// The numeric evaluator and the general one give the same outcome.
void compareEvaluators(Engine& engine, Class1& object, std::string_view text)
{
    const CompileOutcome compiled = engine.compile(text);
    if (!compiled.program)
        return;
    Value fast, general;
    object.ierr = 0;
    const std::int32_t e1 = compiled.program->run(fast);
    const std::int32_t ierr1 = object.ierr;
    object.ierr = 0;
    const std::int32_t e2 = compiled.program->runGeneric(general);
    require(e1 == e2 && ierr1 == object.ierr);
    if (e1 == 0) {
        const NumberOutcome a = toNumber(fast), b = toNumber(general);
        require(a.error == b.error && sameNumber(a.value, b.value));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> statements;
    std::size_t lineStart = 0;
    for (std::size_t end; (end = input.find('\n', lineStart)) != std::string_view::npos; lineStart = end + 1)
        statements.emplace_back(input.substr(lineStart, end - lineStart));
    const std::string f(input.substr(lineStart));

    Class1 object;
    Engine engine;
    prepareWindowEngine(engine, object);
    for (const std::string& s : statements)
        checkError(engine, engine.executeStatement(s), s);

    UserConstants constants;
    constants.assign(statements);
    constants.executeEach(engine, object);
    constants.execute(engine);

    FunctionEvaluator evaluator(engine, object, f);
    for (const double x : {0.0, -1.5, 2.0, 1e300}) {
        object.x = x;
        object.ierr = 0;
        const EvalResult r = engine.eval(f);
        checkError(engine, r.error, f);
        compareEvaluators(engine, object, f);
        const FunctionValue v = evaluator.at(x);
        require(v.error == 0 || !errorDescription(v.error).empty());
    }
    return 0;
}
