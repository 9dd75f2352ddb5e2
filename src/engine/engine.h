#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "engine/compiler.h"
#include "engine/errors.h"
#include "engine/value.h"

namespace tessaly::engine {

class Class1;

// The outcome of an evaluation: the value, or the error number (0 on success).
struct EvalResult {
    Value value;
    std::int32_t error = 0;
};

// One expression engine: its own variables, the extension object's members as
// global names, and compiled programs kept for the texts it has seen. The engine
// computes and nothing else: no text can reach a file, a process or the network.
class Engine {
public:
    using ErrorObserver = std::function<void(const ScriptError&)>;

    Engine();
    ~Engine();
    Engine(const Engine&) = delete;
    Engine& operator=(const Engine&) = delete;

    // Makes the object's fields (pi, halfpi, e, x, ierr) and functions (Asin ...
    // Atanh) global names of this engine. The object must outlive the engine; it
    // may be shared with other engines.
    void addObject(Class1& object);

    // Gives this engine's variables the names, kinds and values of other's (an
    // engine set up afresh for another thread; its programs are compiled anew).
    void copyVariablesFrom(const Engine& other);

    // Told of every failure of executeStatement and eval before the call returns.
    void setErrorObserver(ErrorObserver observer);

    // Runs one statement, "name = expression" (the value persists in this engine);
    // returns 0 or the error number. Assigning a function name is 501.
    std::int32_t executeStatement(std::string_view text);

    // Compiles a statement without running it or telling the observer: the
    // failure it would have (with its column), or number 0 when it compiles.
    ScriptError checkStatement(std::string_view text);

    // Evaluates an expression ("b = 3" is a comparison). The compiled form of the
    // text is kept, so evaluating it again only reads the current values of names.
    EvalResult eval(std::string_view text);

    // Compiles an expression against this engine's names without running it or
    // reporting anything (for tools and tests that run the program themselves).
    CompileOutcome compile(std::string_view text);

    // Evaluates an expression and converts its value to a double, as a window
    // converts a result (see toNumber). Failures of the evaluation are reported as
    // by eval(); a failed conversion (13, 94) is returned without being reported.
    // This is the path taken for every value of f.
    NumberOutcome evalNumber(std::string_view text);

    // The compiled form of a text, kept by the engine while epoch() is unchanged.
    // prepare() compiles (or finds) it without running or reporting anything;
    // evalNumber(prepared, value) then evaluates it as evalNumber(text) does,
    // returning 0 or the error number.
    struct Prepared {
        std::string text;
        std::unique_ptr<Program> program;  // null when the text does not compile
        std::int32_t error = 0;            // its compile error
        std::size_t offset = 0;
    };
    Prepared& prepare(std::string_view text);
    std::int32_t evalNumber(Prepared& prepared, double& value)
    {
        if (prepared.error)
            return fail(prepared.error, prepared.text, prepared.offset, true);
        const std::int32_t e = prepared.program->runToNumber(value);
        if (e == 0) [[likely]]
            return 0;
        return numberFailure(prepared, e);
    }
    std::uint64_t epoch() const { return m_epoch; }

    // The last failure of executeStatement or eval.
    const ScriptError& lastError() const { return m_lastError; }

private:
    class Scope;

    std::int32_t fail(std::int32_t number, std::string_view text, std::size_t offset, bool compileError);
    std::int32_t numberFailure(const Prepared& prepared, std::int32_t e);
    static ScriptError errorOf(std::int32_t number, std::string_view text, std::size_t offset, bool compileError);

    Class1* m_object = nullptr;
    std::deque<Variable> m_variables;
    std::unordered_map<std::string, Variable*> m_names;
    std::unique_ptr<Scope> m_scope;
    std::vector<std::unique_ptr<Prepared>> m_cache;  // most recently used first
    std::uint64_t m_epoch = 0;                       // changes whenever an entry is dropped
    ErrorObserver m_observer;
    ScriptError m_lastError;
};

}  // namespace tessaly::engine
