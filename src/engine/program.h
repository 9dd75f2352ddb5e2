#pragma once

#include <atomic>
#include <bit>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/arithmetic.h"
#include "engine/opcode.h"
#include "engine/operations.h"
#include "engine/value.h"
#include "engine/wholepower.h"

namespace tessaly::engine {

class Class1;

// A function of the numeric form that gives a value for every finite argument.
using SureFn = double (*)(double v);

// A variable of an engine. Its number is kept at 0 unless it holds a Number or a
// truth value, so the numeric evaluator can read it directly.
struct Variable {
    Kind kind = Kind::Empty;
    double num = 0;
    std::string text;

    void assign(const Cell& c);

    // How many assignments to any variable of any engine there have been (the
    // only way a variable changes): while it stays the same, no variable has.
    inline static std::atomic<std::uint64_t> assignments{0};
};

// An instruction of the general form, as the compiler lays it out.
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
};

// An instruction of the numeric form: the general one, the code it jumps to,
// and the operands read through pointers (a, then b) of the fused forms.
struct NumericInstr {
    const void* target = nullptr;
    Op op = Op::End;
    std::int32_t n = 0;  // method index, whole exponent or error number
    union {
        double d;
        double* ref;
        std::int32_t* longRef;
        num::UnaryFn fn;
        WholePowerFn power;  // the whole powers' (see wholePowerFunction)
        SureFn function;     // the function of AddFR..DivFR
    } u{0.0};
    const double* a = nullptr;
    const double* b = nullptr;
};

// A compiled expression or statement. Running it again reads the current values
// of the names it uses; an expression whose values are all numbers runs on a
// numeric evaluator that does not allocate.
//
// The numeric form takes the values of the names other than x (and ierr) as
// constants and computes in advance what they alone determine (pi/3 is one
// number). An expression assigns nothing, so those values cannot change while it
// runs; each run first compares them with the values the form was made with and
// makes the form again when one differs (a statement or another engine sharing
// the extension object assigned it), so a run always computes with the current
// values, in the same operations and order as without the folding.
class Program {
public:
    Program(std::vector<Instr> code, std::vector<Constant> constants, std::vector<Variable*> variables, Class1* object,
            std::size_t maxStack);
    // (It points into its own vectors: never copied or moved.)
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // Runs the program; returns 0 and sets result, or returns the error number.
    // Takes the numeric form when the program has one and every variable it reads
    // holds a number, a truth value or nothing.
    std::int32_t run(Value& result);

    // Runs the program on values of every kind, never the numeric form. Gives the
    // same numbers and errors as run(); kept public so the two can be compared.
    std::int32_t runGeneric(Value& result);

    // Runs the program and converts its value to a double, without making a
    // Value when the numeric form applies. Returns 0, the number of the
    // program's failure, or minus the number of the conversion's (13, 94),
    // which is not an engine error. (The value travels through a parameter:
    // this is the hot path, and a returned {double, int} pair costs a
    // store-forwarding stall.)
    std::int32_t runToNumber(double& value)
    {
        const std::int32_t e = numericFormApplies() ? runNumeric() : runToNumberGeneric();
        value = m_numbers[0];
        return e;
    }

    // The values at each of xs[0..n) of the extension object's x, as runToNumber
    // gives them with ierr cleared before each, computed a block of x at a time
    // with each instruction dispatched once a block. Has no effect on anything
    // but values and known: known[k] is 1 where values[k] holds the value, and 0
    // where evaluating would fail or would call an extension function's own code
    // (which stores its failure); such an x is for runToNumber. Returns false,
    // with known all 0, when the numeric form does not apply.
    bool runBlock(const double* xs, std::size_t n, double* values, std::uint8_t* known);

    bool hasNumericForm() const { return m_numericPossible; }

private:
    // A name's value the numeric form was made with, and its kind (a field's is
    // always Number): the form holds while every kind is numeric and every
    // value keeps its bits, which one pass over m_folded tells. The variables
    // come first; while no variable was assigned since that pass, only the
    // fields that follow them need a look.
    struct Folded {
        const double* value;
        const Kind* kind;
        double was;
    };

    void buildNumericForm();
    bool foldable(const double* field) const;
    bool numericFormApplies()
    {
        // (Without a numeric form the count is never seen: checkFolded tells.)
        if (Variable::assignments.load(std::memory_order_relaxed) != m_assignmentsSeen) [[unlikely]]
            return checkFolded();
        for (const Folded* f = m_fields; f != m_foldedEnd; ++f)
            if (!sameBits(*f->value, f->was)) [[unlikely]]
                return checkFolded();
        return true;
    }
    bool checkFolded();
    bool refreshNumericForm();
    static bool sameBits(double a, double b)
    {
        return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
    }
    // Both leave the value in m_numbers[0] (no value's address leaves the hot path).
    std::int32_t runNumeric()
    {
        return m_leaf ? numericLeaf(m_fast.data(), m_numbers.data())
                      : numeric(m_fast.data(), m_numbers.data(), m_object);
    }
    std::int32_t runToNumberGeneric();
    static const void* const* numericTargets();
    static std::int32_t numeric(const NumericInstr* ip, double* stack, Class1* object);
    static const void* const* leafTargets();
    static SureFn sureFunction(Op refForm);
    void joinFunctionOperations(const void* const* targets);
    static std::int32_t numericLeaf(const NumericInstr* ip, double* stack);
    void block(const double* xs, std::size_t lanes, double* values, std::uint64_t* bad);

    std::vector<Instr> m_code;
    std::vector<NumericInstr> m_fast;
    std::vector<Folded> m_folded;
    const Folded* m_fields = nullptr;  // where the fields start in m_folded, after the variables
    const Folded* m_foldedEnd = nullptr;
    static constexpr std::uint64_t kNeverSeen = ~std::uint64_t{0};  // (the count never gets there)
    std::uint64_t m_assignmentsSeen = kNeverSeen;  // the count at the last full pass that found the form holds
    bool m_numericPossible = false;
    bool m_leaf = false;  // m_fast is made of leaf instructions only and targets numericLeaf's code
    std::vector<Constant> m_constants;
    std::vector<Variable*> m_variables;
    Class1* m_object;
    std::vector<Cell> m_cells;
    std::vector<double> m_numbers;
    std::vector<double> m_columns;     // the block evaluator's stack: a column of lanes per level
    std::vector<std::uint64_t> m_bad;  // the lanes of the block that failed (not bytes: a byte may alias anything)
    TextPool m_pool;
};

}  // namespace tessaly::engine
