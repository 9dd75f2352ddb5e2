#pragma once

#include <cstdint>

namespace tessaly::engine {

// The instructions of a compiled expression. Operands come from the value stack;
// results go back onto it.
enum class Op : std::uint8_t {
    PushNumber,   // a number literal
    PushConst,    // a constant of another kind (text, truth value, Empty, Null)
    PushVar,      // an engine variable
    PushField,    // a double field of the extension object
    PushLong,     // the 32-bit error field of the extension object
    Neg, Not,
    Add, Sub, Mul, Div, IntDiv, Mod, Pow, Concat,
    Eq, Ne, Lt, Gt, Le, Ge,
    And, Or, Xor, Eqv, Imp,
    Call1,        // a built-in function of one argument
    Round2,       // Round(value, places)
    CallMethod,   // a function of the extension object
    StoreVar, StoreField, StoreLong,
    Raise,        // fail with a run-time error number
    // Fused forms used only by the numeric evaluator: the right operand (or the
    // argument) is an immediate number (K) or a double read through a pointer (R).
    PushRef,
    AddK, SubK, MulK, DivK, PowK,
    AddR, SubR, MulR, DivR, PowR,
    Call1R,
};

}  // namespace tessaly::engine
