#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

#include "engine/operations.h"
#include "engine/program.h"

namespace tessaly::engine {

class Class1;

// What a name stands for while a text is compiled.
struct Binding {
    enum class Kind { Builtin, Method, Field, LongField, Variable };
    Kind kind = Kind::Variable;
    const Builtin* builtin = nullptr;
    int method = -1;  // index of the extension object's function
    double* field = nullptr;
    std::int32_t* longField = nullptr;
    Variable* variable = nullptr;
};

// Resolves a lower-case name to its binding; a name that is nothing else is an
// engine variable (created Empty on first use).
class NameScope {
public:
    virtual ~NameScope() = default;
    virtual Binding bind(std::string_view lowerCaseName) = 0;
    virtual Class1* object() = 0;
};

struct CompileOutcome {
    std::unique_ptr<Program> program;  // null on failure
    std::int32_t error = 0;
    std::size_t offset = 0;  // byte offset where reading stopped
};

// The deepest nesting of parentheses, signs, Not and calls that a text may use;
// deeper nesting is error 28.
constexpr int kMaxNesting = 2000;

// Compiles an expression (blank text is Empty). Compile errors: 1002, 1006, 1025,
// 1030, 1031, 1032, 1033, and 28 for nesting deeper than kMaxNesting.
CompileOutcome compileExpression(std::string_view text, NameScope& scope);

// Compiles a statement: "name = expression", a call, or blank text (does nothing).
// Adds 1024 for a text that does not begin with a name.
CompileOutcome compileStatement(std::string_view text, NameScope& scope);

}  // namespace tessaly::engine
