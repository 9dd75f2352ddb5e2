#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/arithmetic.h"
#include "engine/opcode.h"
#include "engine/operations.h"
#include "engine/value.h"

namespace tessaly::engine {

class Class1;

// A variable of an engine. Its number is kept at 0 unless it holds a Number or a
// truth value, so the numeric evaluator can read it directly.
struct Variable {
    Kind kind = Kind::Empty;
    double num = 0;
    std::string text;

    void assign(const Cell& c);
};

struct Instr {
    Op op;
    std::int32_t n = 0;  // constant index, method index or error number
    union {
        double d;
        double* ref;
        std::int32_t* longRef;
        Variable* var;
        num::UnaryFn fn;
    } u{0.0};
    double* arg = nullptr;         // Call1R and the R functions: where the argument is read
    const void* target = nullptr;  // numeric form: the code of this instruction
};

// A compiled expression or statement. Running it again reads the current values
// of the names it uses; an expression whose values are all numbers runs on a
// numeric evaluator that does not allocate.
class Program {
public:
    Program(std::vector<Instr> code, std::vector<Constant> constants, std::vector<Variable*> variables, Class1* object,
            std::size_t maxStack);

    // Runs the program; returns 0 and sets result, or returns the error number.
    // Takes the numeric form when the program has one and every variable it reads
    // holds a number, a truth value or nothing.
    std::int32_t run(Value& result);

    // Runs the program on values of every kind, never the numeric form. Gives the
    // same numbers and errors as run(); kept public so the two can be compared.
    std::int32_t runGeneric(Value& result);

    // Runs the program and converts its value to a double, without making a
    // Value when the numeric form applies. Returns 0 or the error number;
    // engineError tells whether a failure came from the program (true) or from
    // the conversion (13, 94). (Results travel through parameters: this is the
    // hot path, and a returned {double, int} pair costs a store-forwarding stall.)
    std::int32_t runToNumber(double& value, bool& engineError)
    {
        if (numericFormApplies()) {
            engineError = true;
            return runNumeric(value);
        }
        return runToNumberGeneric(value, engineError);
    }

    bool hasNumericForm() const { return !m_fast.empty(); }

private:
    void buildNumericForm();
    bool numericFormApplies() const
    {
        if (m_fast.empty())
            return false;  // no numeric form
        for (const Variable* v : m_variables)
            if (!isNumericKind(v->kind))
                return false;
        return true;
    }
    std::int32_t runNumeric(double& result)
    {
        return numeric(m_fast.data(), m_numbers.data(), m_object, result, nullptr);
    }
    std::int32_t runToNumberGeneric(double& value, bool& engineError);
    static const void* const* numericTargets();
    static std::int32_t numeric(const Instr* ip, double* stack, Class1* object, double& result,
                                const void* const** targets);

    std::vector<Instr> m_code;
    std::vector<Instr> m_fast;
    std::vector<Constant> m_constants;
    std::vector<Variable*> m_variables;
    Class1* m_object;
    std::vector<Cell> m_cells;
    std::vector<double> m_numbers;
    TextPool m_pool;
};

}  // namespace tessaly::engine
