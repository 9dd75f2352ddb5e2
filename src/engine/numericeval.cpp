// The numeric form one x at a time.

#include <cstring>

#include "engine/errors.h"
#include "engine/program.h"
#include "engine/programparts.h"

namespace tessaly::engine {
namespace {

using parts::kMethods;
using parts::methodFormula;

// The function M of the object at v: the unchecked formula when no step of it
// fails (the same value), the object's own function (which stores the failure
// and gives 0) otherwise.
template <int M>
double method(Class1* object, double v)
{
    Unchecked u;
    const double r = methodFormula<M>(u, v, object->halfpi);
    if (u.ok()) [[likely]]
        return r;
    double arg = v;
    return (object->*kMethods[M])(arg);
}

double sinOf(double v) { return std::sin(v); }
double cosOf(double v) { return std::cos(v); }
double atnOf(double v) { return std::atan(v); }

}  // namespace

// The functions joined with an operation through a pointer. (The object's
// functions have instructions of their own for that, AsinRMul and the like:
// their code inside the evaluator is faster than a call through a pointer.)
SureFn Program::sureFunction(Op refForm)
{
    switch (refForm) {
    case Op::SinR: return sinOf;
    case Op::CosR: return cosOf;
    case Op::AtnR: return atnOf;
    default: return nullptr;
    }
}

// clang-format off
#define TESSALY_NEXT __extension__({ ++ip; goto *ip->target; })
#define TESSALY_PUSH(v) \
    *sp++ = top;        \
    top = (v)
#define TESSALY_CHECKED(expr, check)              \
    {                                             \
        const double r = (expr);                  \
        if (!std::isfinite(r)) [[unlikely]]       \
            return check;                         \
        top = r;                                  \
        TESSALY_NEXT;                             \
    }
#define TESSALY_POP_BINARY(sym, fn)                                  \
    {                                                                \
        const double a = *--sp;                                      \
        TESSALY_CHECKED(a sym top, num::fn(a, top, ignored))         \
    }
#define TESSALY_SURE_BINARY(sym, fn)                                 \
    {                                                                \
        const double f = ip->u.function(*ip->a);                     \
        TESSALY_CHECKED(top sym f, num::fn(top, f, ignored))         \
    }
#define TESSALY_WHOLE(call)              \
    {                                    \
        const double a = *--sp;          \
        double r = 0;                    \
        if (const auto e = (call))       \
            return e;                    \
        top = r;                         \
        TESSALY_NEXT;                    \
    }
#define TESSALY_COMPARE(sym)               \
    top = num::truth(*--sp sym top);       \
    TESSALY_NEXT;
#define TESSALY_METHOD(name, m)                                \
    op_##name: top = method<m>(object, top); TESSALY_NEXT;     \
    op_##name##R: TESSALY_PUSH(method<m>(object, *ip->a)); TESSALY_NEXT; \
    op_##name##RMul: {                                                   \
        const double f = method<m>(object, *ip->a);                     \
        TESSALY_CHECKED(top * f, num::mul(top, f, ignored))              \
    }

// The instructions that call nothing, in both evaluators (see numericLeaf).
#define TESSALY_LEAF_CODE                                                                 \
op_End:                                                                                   \
    *--sp = top; /* stack[0]: an expression leaves one value, pushed once over the initial top */ \
    return 0;                                                                             \
op_PushNumber: TESSALY_PUSH(ip->u.d); TESSALY_NEXT;                                       \
op_PushRef: TESSALY_PUSH(*ip->u.ref); TESSALY_NEXT;                                       \
op_PushLong: TESSALY_PUSH(static_cast<double>(*ip->u.longRef)); TESSALY_NEXT;             \
op_Neg: top = -top; TESSALY_NEXT;                                                         \
op_NegR: TESSALY_PUSH(-*ip->a); TESSALY_NEXT;                                             \
op_Add: TESSALY_POP_BINARY(+, add)                                                        \
op_Sub: TESSALY_POP_BINARY(-, sub)                                                        \
op_Mul: TESSALY_POP_BINARY(*, mul)                                                        \
op_Div: TESSALY_POP_BINARY(/, div)                                                        \
op_AddK: TESSALY_CHECKED(top + ip->u.d, num::add(top, ip->u.d, ignored))                  \
op_SubK: TESSALY_CHECKED(top - ip->u.d, num::sub(top, ip->u.d, ignored))                  \
op_MulK: TESSALY_CHECKED(top * ip->u.d, num::mul(top, ip->u.d, ignored))                  \
op_DivK: TESSALY_CHECKED(top / ip->u.d, num::div(top, ip->u.d, ignored))                  \
op_AddR: TESSALY_CHECKED(top + *ip->u.ref, num::add(top, *ip->u.ref, ignored))            \
op_SubR: TESSALY_CHECKED(top - *ip->u.ref, num::sub(top, *ip->u.ref, ignored))            \
op_MulR: TESSALY_CHECKED(top * *ip->u.ref, num::mul(top, *ip->u.ref, ignored))            \
op_DivR: TESSALY_CHECKED(top / *ip->u.ref, num::div(top, *ip->u.ref, ignored))            \
op_MulRR: TESSALY_PUSH(0); TESSALY_CHECKED(*ip->a * *ip->b, err::Overflow)                \
op_MulKR: TESSALY_PUSH(0); TESSALY_CHECKED(ip->u.d * *ip->a, err::Overflow)               \
op_MulRRR: TESSALY_PUSH(0); TESSALY_CHECKED(*ip->a * *ip->b * *ip->u.ref, err::Overflow)  \
op_MulKRR: TESSALY_PUSH(0); TESSALY_CHECKED(ip->u.d * *ip->a * *ip->b, err::Overflow)     \
/* (The product and the sum or difference overflow alike: 6 either way.) */              \
op_AddKR: TESSALY_CHECKED(top + ip->u.d * *ip->a, err::Overflow)                          \
op_SubKR: TESSALY_CHECKED(top - ip->u.d * *ip->a, err::Overflow)                          \
op_Abs: top = std::fabs(top); TESSALY_NEXT;                                               \
op_AbsR: TESSALY_PUSH(std::fabs(*ip->a)); TESSALY_NEXT;                                   \
op_Eq: TESSALY_COMPARE(==)                                                                \
op_Ne: TESSALY_COMPARE(!=)                                                                \
op_Lt: TESSALY_COMPARE(<)                                                                 \
op_Gt: TESSALY_COMPARE(>)                                                                 \
op_Le: TESSALY_COMPARE(<=)                                                                \
op_Ge: TESSALY_COMPARE(>=)
// clang-format on

namespace {

// Called without a program, an evaluator gives the address of its targets in
// its first stack slot.
template <typename Evaluator>
const void* const* targetsOf(Evaluator evaluator)
{
    double slot = 0;
    evaluator(nullptr, &slot);
    const void* const* targets = nullptr;
    std::memcpy(&targets, &slot, sizeof targets);
    return targets;
}

}  // namespace

const void* const* Program::numericTargets()
{
    return targetsOf([](const NumericInstr* ip, double* sp) { return numeric(ip, sp, nullptr); });
}

const void* const* Program::leafTargets() { return targetsOf(numericLeaf); }

#define TESSALY_GIVE_TARGETS(list)                                \
    static const void* const kTargets[] = {list(TESSALY_TARGET)}; \
    if (ip == nullptr) [[unlikely]] {                             \
        const void* const* targets = kTargets;                    \
        static_assert(sizeof targets == sizeof *sp);              \
        std::memcpy(sp, &targets, sizeof targets);                \
        return 0;                                                 \
    }
#define TESSALY_TARGET(name) __extension__ &&op_##name,

// The numeric evaluator. Each instruction jumps straight to the code of the next
// one (its target). The top of the stack lives in `top`, the values under it in
// `stack` (the first push stores the initial top, unused, in stack[0]; the
// program's value goes there at the end). The usual case is computed first and
// checked only for being finite: every value of the language is finite, so a
// result that is not names a failure, whose number the checked operation then
// tells.
std::int32_t Program::numeric(const NumericInstr* ip, double* sp, Class1* object)
{
    TESSALY_GIVE_TARGETS(TESSALY_OPS)

    double top = 0;
    double ignored = 0;

    // clang-format off
    __extension__({ goto *ip->target; });

TESSALY_LEAF_CODE
op_Not: {
    double r = 0;
    if (const auto e = num::bitNot(top, r))
        return e;
    top = r;
    TESSALY_NEXT;
}
op_Pow: {
    const double a = *--sp;
    TESSALY_CHECKED(power(a, top), num::pow(a, top, ignored))
}
op_PowK: TESSALY_CHECKED(std::pow(top, ip->u.d), num::pow(top, ip->u.d, ignored))
op_PowW: TESSALY_CHECKED(ip->u.power(top), num::pow(top, ip->n, ignored))
op_PowR: TESSALY_CHECKED(power(top, *ip->u.ref), num::pow(top, *ip->u.ref, ignored))
op_PowRW: TESSALY_PUSH(0); TESSALY_CHECKED(ip->u.power(*ip->a), num::pow(*ip->a, ip->n, ignored))
op_AddFR: TESSALY_SURE_BINARY(+, add)
op_SubFR: TESSALY_SURE_BINARY(-, sub)
op_MulFR: TESSALY_SURE_BINARY(*, mul)
op_DivFR: TESSALY_SURE_BINARY(/, div)
op_Sin: top = std::sin(top); TESSALY_NEXT;
op_Cos: top = std::cos(top); TESSALY_NEXT;
op_Atn: top = std::atan(top); TESSALY_NEXT;
op_Tan: TESSALY_CHECKED(std::tan(top), num::fnTan(top, ignored))
op_Exp: TESSALY_CHECKED(std::exp(top), num::fnExp(top, ignored))
op_Log: TESSALY_CHECKED(std::log(top), num::fnLog(top, ignored))
op_Sqr: TESSALY_CHECKED(std::sqrt(top), num::fnSqr(top, ignored))
op_SinR: TESSALY_PUSH(std::sin(*ip->a)); TESSALY_NEXT;
op_CosR: TESSALY_PUSH(std::cos(*ip->a)); TESSALY_NEXT;
op_AtnR: TESSALY_PUSH(std::atan(*ip->a)); TESSALY_NEXT;
op_TanR: TESSALY_PUSH(0); TESSALY_CHECKED(std::tan(*ip->a), num::fnTan(*ip->a, ignored))
op_ExpR: TESSALY_PUSH(0); TESSALY_CHECKED(std::exp(*ip->a), num::fnExp(*ip->a, ignored))
op_LogR: TESSALY_PUSH(0); TESSALY_CHECKED(std::log(*ip->a), num::fnLog(*ip->a, ignored))
op_SqrR: TESSALY_PUSH(0); TESSALY_CHECKED(std::sqrt(*ip->a), num::fnSqr(*ip->a, ignored))
TESSALY_METHOD(Asin, 0)
TESSALY_METHOD(Acos, 1)
TESSALY_METHOD(Sinh, 2)
TESSALY_METHOD(Cosh, 3)
TESSALY_METHOD(Tanh, 4)
TESSALY_METHOD(Asinh, 5)
TESSALY_METHOD(Acosh, 6)
TESSALY_METHOD(Atanh, 7)
op_IntDiv: TESSALY_WHOLE(num::intDiv(a, top, r))
op_Mod: TESSALY_WHOLE(num::mod(a, top, r))
op_Round2: TESSALY_WHOLE(num::fnRound2(a, top, r))
op_And: TESSALY_WHOLE(num::bitwise(num::Bitwise::And, a, top, r))
op_Or: TESSALY_WHOLE(num::bitwise(num::Bitwise::Or, a, top, r))
op_Xor: TESSALY_WHOLE(num::bitwise(num::Bitwise::Xor, a, top, r))
op_Eqv: TESSALY_WHOLE(num::bitwise(num::Bitwise::Eqv, a, top, r))
op_Imp: TESSALY_WHOLE(num::bitwise(num::Bitwise::Imp, a, top, r))
op_Call1: {
    double r = 0;
    if (const auto e = ip->u.fn(top, r))
        return e;
    top = r;
    TESSALY_NEXT;
}
op_Call1R: {
    double r = 0;
    if (const auto e = ip->u.fn(*ip->a, r))
        return e;
    TESSALY_PUSH(r);
    TESSALY_NEXT;
}
op_Raise:
    return ip->n;
// Not part of the numeric form.
op_PushConst:
op_PushVar:
op_PushField:
op_Concat:
op_StoreVar:
op_StoreField:
op_StoreLong:
op_CallMethod:
    __builtin_unreachable();
    // clang-format on
}

// The evaluator of a program made only of instructions that call nothing
// (TESSALY_LEAF_OPS): the same code as numeric() for them, in a function that
// needs only the registers a call may change, so it saves and restores none
// (numeric() must, to keep its state across the functions it calls).
std::int32_t Program::numericLeaf(const NumericInstr* ip, double* sp)
{
    TESSALY_GIVE_TARGETS(TESSALY_LEAF_OPS)

    double top = 0;
    double ignored = 0;

    // clang-format off
    __extension__({ goto *ip->target; });

TESSALY_LEAF_CODE
    // clang-format on
}

#undef TESSALY_TARGET
#undef TESSALY_GIVE_TARGETS
#undef TESSALY_LEAF_CODE
#undef TESSALY_NEXT
#undef TESSALY_PUSH
#undef TESSALY_CHECKED
#undef TESSALY_POP_BINARY
#undef TESSALY_WHOLE
#undef TESSALY_SURE_BINARY
#undef TESSALY_COMPARE
#undef TESSALY_METHOD

}  // namespace tessaly::engine
