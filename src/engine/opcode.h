#pragma once

#include <cstdint>

namespace tessaly::engine {

// The instructions of a compiled expression, in the order of the Op enumeration.
// Operands come from the value stack; results go back onto it.
//
//   PushNumber   a number literal
//   PushConst    a constant of another kind (text, truth value, Empty, Null)
//   PushVar      an engine variable
//   PushField    a double field of the extension object
//   PushLong     the 32-bit error field of the extension object
//   Call1        a built-in function of one argument
//   Round2       Round(value, places)
//   CallMethod   a function of the extension object
//   Store...     assign the value on top (statements)
//   Raise        fail with a run-time error number
//
// The rest are used only by the numeric evaluator: fused forms whose right
// operand (or argument) is an immediate number (K) or a double read through a
// pointer (R), a whole power (W: x^n for a whole n, |n| <= 16), the common
// functions and the extension object's functions with instructions of their
// own, pushes of a power or product of operands read through pointers (PowRW
// r^n, MulRR r*r, MulKR k*r, MulRRR r*r*r, MulKRR k*r*r), the value on top
// plus or minus such a product (AddKR top + k*r, SubKR top - k*r), the value
// on top and a function of an operand read through a pointer (AddFR top + f(r),
// SubFR, MulFR, DivFR for Sin, Cos and Atn, n holding f's instruction of the R
// form; AsinRMul top * Asin(r) and the like for the object's functions), and End.
// clang-format off
#define TESSALY_OPS(X)                                                                                      \
    X(PushNumber) X(PushConst) X(PushVar) X(PushField) X(PushLong)                                          \
    X(Neg) X(Not)                                                                                           \
    X(Add) X(Sub) X(Mul) X(Div) X(IntDiv) X(Mod) X(Pow) X(Concat)                                           \
    X(Eq) X(Ne) X(Lt) X(Gt) X(Le) X(Ge)                                                                     \
    X(And) X(Or) X(Xor) X(Eqv) X(Imp)                                                                       \
    X(Call1) X(Round2) X(CallMethod)                                                                        \
    X(StoreVar) X(StoreField) X(StoreLong)                                                                  \
    X(Raise)                                                                                                \
    X(PushRef)                                                                                              \
    X(AddK) X(SubK) X(MulK) X(DivK) X(PowK) X(PowW)                                                         \
    X(AddR) X(SubR) X(MulR) X(DivR) X(PowR)                                                                 \
    X(Call1R)                                                                                               \
    X(Sin) X(Cos) X(Tan) X(Atn) X(Exp) X(Log) X(Sqr) X(Abs)                                                 \
    X(SinR) X(CosR) X(TanR) X(AtnR) X(ExpR) X(LogR) X(SqrR) X(AbsR)                                         \
    X(Asin) X(Acos) X(Sinh) X(Cosh) X(Tanh) X(Asinh) X(Acosh) X(Atanh)                                      \
    X(AsinR) X(AcosR) X(SinhR) X(CoshR) X(TanhR) X(AsinhR) X(AcoshR) X(AtanhR)                              \
    X(PowRW) X(MulRR) X(MulKR) X(MulRRR) X(MulKRR)                                                          \
    X(AddKR) X(SubKR) X(NegR)                                                                               \
    X(AddFR) X(SubFR) X(MulFR) X(DivFR)                                                                     \
    X(AsinRMul) X(AcosRMul) X(SinhRMul) X(CoshRMul) X(TanhRMul) X(AsinhRMul) X(AcoshRMul) X(AtanhRMul)      \
    X(End)
// clang-format on

enum class Op : std::uint8_t {
#define TESSALY_OP_NAME(name) name,
    TESSALY_OPS(TESSALY_OP_NAME)
#undef TESSALY_OP_NAME
};

// The numeric instructions that call no function, in any order: a program made
// of them alone runs on an evaluator of its own that saves no registers.
// clang-format off
#define TESSALY_LEAF_OPS(X)                                                                                 \
    X(End) X(PushNumber) X(PushRef) X(PushLong) X(Neg) X(NegR)                                              \
    X(Add) X(Sub) X(Mul) X(Div) X(AddK) X(SubK) X(MulK) X(DivK) X(AddR) X(SubR) X(MulR) X(DivR)             \
    X(MulRR) X(MulKR) X(MulRRR) X(MulKRR) X(AddKR) X(SubKR) X(Abs) X(AbsR)                                  \
    X(Eq) X(Ne) X(Lt) X(Gt) X(Le) X(Ge)
// clang-format on

// The place of an instruction in TESSALY_LEAF_OPS, or -1.
constexpr int leafIndex(Op op)
{
    int i = 0;
#define TESSALY_LEAF_INDEX(name) \
    if (op == Op::name)          \
        return i;                \
    ++i;
    TESSALY_LEAF_OPS(TESSALY_LEAF_INDEX)
#undef TESSALY_LEAF_INDEX
    return -1;
}

}  // namespace tessaly::engine
