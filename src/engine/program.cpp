#include "engine/program.h"

#include <algorithm>
#include <cstring>

#include "engine/class1.h"
#include "engine/errors.h"
#include "engine/extensionformulas.h"

namespace tessaly::engine {
namespace {

constexpr Class1::Function kMethods[] = {&Class1::Asin, &Class1::Acos,  &Class1::Sinh,  &Class1::Cosh,
                                         &Class1::Tanh, &Class1::Asinh, &Class1::Acosh, &Class1::Atanh};

// The block evaluator's stack takes at most this many doubles, and a block at
// most kBlockLanes values of x.
constexpr std::size_t kBlockDoubles = 131072;
constexpr std::size_t kBlockLanes = 256;

// The kind of the extension object's fields, for the numeric form's checks.
constexpr Kind kFieldKind = Kind::Number;

bool isFusable(Op op) { return op == Op::Add || op == Op::Sub || op == Op::Mul || op == Op::Div || op == Op::Pow; }

// The instruction of its own for a common function, or Call1 for the others.
// clang-format off
Op mathOp(num::UnaryFn fn)
{
    if (fn == num::fnSin) return Op::Sin;
    if (fn == num::fnCos) return Op::Cos;
    if (fn == num::fnTan) return Op::Tan;
    if (fn == num::fnAtn) return Op::Atn;
    if (fn == num::fnExp) return Op::Exp;
    if (fn == num::fnLog) return Op::Log;
    if (fn == num::fnSqr) return Op::Sqr;
    if (fn == num::fnAbs) return Op::Abs;
    return Op::Call1;
}
// clang-format on

Op shifted(Op op, Op from, Op to)
{
    return static_cast<Op>(static_cast<int>(op) - static_cast<int>(from) + static_cast<int>(to));
}

// The form of a function's instruction that reads its argument through a pointer.
Op refForm(Op op)
{
    if (op == Op::Call1)
        return Op::Call1R;
    if (op >= Op::Sin && op <= Op::Abs)
        return shifted(op, Op::Sin, Op::SinR);
    return shifted(op, Op::Asin, Op::AsinR);
}
bool hasRefForm(Op op)
{
    return op == Op::Call1 || (op >= Op::Sin && op <= Op::Abs) || (op >= Op::Asin && op <= Op::Atanh);
}

// How an instruction of the numeric form changes the depth of the stack: +1 for
// one that pushes a value and takes none, -1 for one that takes two and pushes
// one, 0 for one that replaces the value on top; kUnknownEffect for the others
// (Raise, End and the general form's own).
constexpr int kUnknownEffect = 2;
int stackEffect(Op op)
{
    switch (op) {
    case Op::PushNumber:
    case Op::PushRef:
    case Op::PushLong:
    case Op::PowRW:
    case Op::MulRR:
    case Op::MulKR:
    case Op::MulRRR:
    case Op::MulKRR:
    case Op::Call1R: return 1;
    case Op::Neg:
    case Op::Not:
    case Op::Call1:
    case Op::AddKR:
    case Op::SubKR: return 0;
    case Op::Raise:
    case Op::End:
    case Op::PushConst:
    case Op::PushVar:
    case Op::PushField:
    case Op::Concat:
    case Op::StoreVar:
    case Op::StoreField:
    case Op::StoreLong:
    case Op::CallMethod: return kUnknownEffect;
    default:
        if ((op >= Op::SinR && op <= Op::AbsR) || (op >= Op::AsinR && op <= Op::AtanhR))
            return 1;
        if ((op >= Op::AddK && op <= Op::PowR) || (op >= Op::Sin && op <= Op::Atanh))
            return 0;
        return -1;  // the operations of two values
    }
}

// Where in code the instructions that compute the value on top of the stack
// begin: the last i from which code's instructions push one value in all
// (code.size() when that cannot be told).
std::size_t startOfTop(const std::vector<NumericInstr>& code)
{
    int pushed = 0;
    for (std::size_t i = code.size(); i-- > 0;) {
        const int effect = stackEffect(code[i].op);
        if (effect == kUnknownEffect)
            break;
        pushed += effect;
        if (pushed == 1)
            return i;
    }
    return code.size();
}

Op fused(Op op, bool immediate)
{
    switch (op) {
    case Op::Add: return immediate ? Op::AddK : Op::AddR;
    case Op::Sub: return immediate ? Op::SubK : Op::SubR;
    case Op::Mul: return immediate ? Op::MulK : Op::MulR;
    case Op::Div: return immediate ? Op::DivK : Op::DivR;
    default: return immediate ? Op::PowK : Op::PowR;
    }
}

// The number of values an operation that may be computed in advance takes; 0
// for the others (the extension object's functions store their failures).
int foldedOperands(Op op)
{
    switch (op) {
    case Op::Neg:
    case Op::Not:
    case Op::Call1: return 1;
    case Op::Add:
    case Op::Sub:
    case Op::Mul:
    case Op::Div:
    case Op::IntDiv:
    case Op::Mod:
    case Op::Pow:
    case Op::Eq:
    case Op::Ne:
    case Op::Lt:
    case Op::Gt:
    case Op::Le:
    case Op::Ge:
    case Op::And:
    case Op::Or:
    case Op::Xor:
    case Op::Eqv:
    case Op::Imp:
    case Op::Round2: return 2;
    default: return op >= Op::Sin && op <= Op::Abs ? 1 : 0;
    }
}

// The extension object's function M over an arithmetic (see extensionformulas.h).
template <int M, typename A>
double methodFormula(A& s, double v, double halfpi)
{
    if constexpr (M == 0)
        return formula::asin(s, v, halfpi);
    else if constexpr (M == 1)
        return formula::acos(s, v, halfpi);
    else if constexpr (M == 2)
        return formula::sinh(s, v);
    else if constexpr (M == 3)
        return formula::cosh(s, v);
    else if constexpr (M == 4)
        return formula::tanh(s, v);
    else if constexpr (M == 5)
        return formula::asinh(s, v);
    else if constexpr (M == 6)
        return formula::acosh(s, v);
    else
        return formula::atanh(s, v);
}

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

// An operand of the block evaluator read through a pointer: the lanes' values
// of x, or one value for every lane.
struct Operand {
    const double* p;
    std::size_t step;
    double operator[](std::size_t i) const { return p[i * step]; }
};

}  // namespace

void Variable::assign(const Cell& c)
{
    kind = c.k;
    num = (c.k == Kind::Number || c.k == Kind::Boolean) ? c.d : 0;
    if (c.k == Kind::String) {
        if (c.s != &text)
            text = *c.s;
    } else {
        text.clear();
    }
}

Program::Program(std::vector<Instr> code, std::vector<Constant> constants, std::vector<Variable*> variables,
                 Class1* object, std::size_t maxStack)
    : m_code(std::move(code)),
      m_constants(std::move(constants)),
      m_variables(std::move(variables)),
      m_object(object),
      m_cells(maxStack + 1),
      m_numbers(maxStack + 1)
{
    m_numericPossible = true;
    for (const Instr& in : m_code) {
        if (in.op == Op::Concat || in.op == Op::StoreVar || in.op == Op::StoreField || in.op == Op::StoreLong)
            m_numericPossible = false;
        if (in.op == Op::PushConst) {
            const Kind k = m_constants[static_cast<std::size_t>(in.n)].value.kind();
            if (k == Kind::String || k == Kind::Null)
                m_numericPossible = false;
        }
    }
    if (m_numericPossible) {
        m_fast.reserve(m_code.size() + 1);  // End included; later forms are never longer
        m_folded.reserve(m_variables.size() + 3);
        buildNumericForm();
    }
}

// The extension object's fields other than x are folded; x changes with every
// value of f.
bool Program::foldable(const double* field) const { return m_object == nullptr || field != &m_object->x; }

// The numeric form exists when nothing in the program can make a text or Null
// and it assigns nothing. Names other than x become numbers, and what numbers
// alone determine is computed now (see the class comment). Number operands move
// into the instruction that uses them where they can (x*2 -> MulK, Sin(x) ->
// SinR), the functions get instructions of their own, and a few common shapes
// one instruction each (x^5, a*x, a*x*x).
void Program::buildNumericForm()
{
    m_fast.clear();
    m_folded.clear();
    for (Variable* v : m_variables)
        m_folded.push_back({&v->num, &v->kind, v->num});
    const void* const* targets = numericTargets();
    auto isPush = [](const NumericInstr& in) { return in.op == Op::PushNumber || in.op == Op::PushRef; };

    for (const Instr& in : m_code) {
        NumericInstr out;
        out.op = in.op;
        out.n = in.n;
        std::memcpy(&out.u, &in.u, sizeof out.u);
        switch (in.op) {
        case Op::PushConst:
            out.op = Op::PushNumber;
            out.u.d = m_constants[static_cast<std::size_t>(in.n)].value.numeric();
            break;
        case Op::PushVar:
            out.op = Op::PushNumber;
            out.u.d = in.u.var->num;
            break;
        case Op::PushField:
            if (foldable(in.u.ref)) {
                if (std::none_of(m_folded.begin(), m_folded.end(),
                                 [&](const Folded& f) { return f.value == in.u.ref; }))
                    m_folded.push_back({in.u.ref, &kFieldKind, *in.u.ref});
                out.op = Op::PushNumber;
                out.u.d = *in.u.ref;
            } else {
                out.op = Op::PushRef;
            }
            break;
        case Op::CallMethod: out.op = static_cast<Op>(static_cast<int>(Op::Asin) + in.n); break;
        case Op::Call1: out.op = mathOp(in.u.fn); break;
        default: break;
        }

        // An operation on numbers alone: computed now by the evaluator itself
        // (the same code computes it when it runs), unless it fails.
        if (const int k = foldedOperands(out.op);
            k > 0 && m_fast.size() >= static_cast<std::size_t>(k)
            && std::all_of(m_fast.end() - k, m_fast.end(),
                           [](const NumericInstr& i) { return i.op == Op::PushNumber; })) {
            NumericInstr program[4];
            std::copy(m_fast.end() - k, m_fast.end(), program);
            program[k] = out;
            program[k + 1].op = Op::End;
            for (int i = 0; i <= k + 1; ++i)
                program[i].target = targets[static_cast<std::size_t>(program[i].op)];
            double stack[4];
            double value = 0;
            if (numeric(program, stack, m_object, value, nullptr) == 0) {
                m_fast.resize(m_fast.size() - static_cast<std::size_t>(k));
                NumericInstr number;
                number.op = Op::PushNumber;
                number.u.d = value;
                number.target = targets[static_cast<std::size_t>(Op::PushNumber)];
                m_fast.push_back(number);
                continue;
            }
        }

        // k * v and k + v: v * k and v + k, the same value (the operations
        // commute, and pushing k has no effect), with v computed one level lower.
        const bool commutes = out.op == Op::Mul || out.op == Op::Add;
        if (const std::size_t v = commutes ? startOfTop(m_fast) : 0;
            v > 0 && v < m_fast.size() && m_fast[v - 1].op == Op::PushNumber) {
            const double k = m_fast[v - 1].u.d;
            m_fast.erase(m_fast.begin() + static_cast<std::ptrdiff_t>(v - 1));
            out.op = out.op == Op::Mul ? Op::MulK : Op::AddK;
            out.u.d = k;
        } else if (!m_fast.empty() && isPush(m_fast.back()) && isFusable(out.op)) {
            NumericInstr operand = m_fast.back();
            m_fast.pop_back();
            operand.op = fused(out.op, operand.op == Op::PushNumber);
            if (operand.op == Op::PowK && operand.u.d >= -kWholePowerLimit && operand.u.d <= kWholePowerLimit
                && operand.u.d == static_cast<double>(static_cast<int>(operand.u.d))) {
                operand.op = Op::PowW;  // a whole power: no test of the exponent when it runs
                operand.n = static_cast<std::int32_t>(operand.u.d);
                operand.u.power = wholePowerFunction(operand.n);
            }
            out = operand;
        }

        // The shapes that take one instruction, built on the instruction before.
        if (!m_fast.empty()) {
            NumericInstr& prev = m_fast.back();
            NumericInstr merged = out;
            bool merge = true;
            if (out.op == Op::PowW && prev.op == Op::PushRef) {
                merged.op = Op::PowRW;  // r^n
                merged.a = prev.u.ref;
            } else if (out.op == Op::MulR && prev.op == Op::PushRef) {
                merged.op = Op::MulRR;  // r*r
                merged.a = prev.u.ref;
                merged.b = out.u.ref;
            } else if (out.op == Op::MulR && prev.op == Op::PushNumber) {
                merged.op = Op::MulKR;  // k*r
                merged.u.d = prev.u.d;
                merged.a = out.u.ref;
            } else if (out.op == Op::MulK && prev.op == Op::PushRef) {
                merged.op = Op::MulKR;  // r*k, the same product as k*r
                merged.a = prev.u.ref;
            } else if (out.op == Op::MulR && prev.op == Op::MulRR) {
                merged = prev;
                merged.op = Op::MulRRR;  // (r*r)*r
                merged.u.ref = out.u.ref;
            } else if (out.op == Op::MulR && prev.op == Op::MulKR) {
                merged = prev;
                merged.op = Op::MulKRR;  // (k*r)*r
                merged.b = out.u.ref;
            } else if ((out.op == Op::Add || out.op == Op::Sub) && prev.op == Op::MulKR) {
                merged = prev;
                merged.op = out.op == Op::Add ? Op::AddKR : Op::SubKR;  // v + k*r, v - k*r
            } else if (hasRefForm(out.op) && prev.op == Op::PushRef) {
                merged.op = refForm(out.op);  // f(r)
                merged.a = prev.u.ref;
            } else {
                merge = false;
            }
            if (merge) {
                prev = merged;
                prev.target = targets[static_cast<std::size_t>(prev.op)];
                continue;
            }
        }
        out.target = targets[static_cast<std::size_t>(out.op)];
        m_fast.push_back(out);
    }
    NumericInstr end;
    end.op = Op::End;
    end.target = targets[static_cast<std::size_t>(Op::End)];
    m_fast.push_back(end);
}

// A name of m_folded is no longer as the numeric form was made: the form does
// not apply while a variable holds a text or Null; otherwise a value changed
// and the form is made again with the current values.
bool Program::refreshNumericForm()
{
    for (const Variable* v : m_variables)
        if (!isNumericKind(v->kind))
            return false;
    buildNumericForm();
    return true;
}

std::int32_t Program::run(Value& result)
{
    if (numericFormApplies()) {
        double d = 0;
        const std::int32_t e = runNumeric(d);
        if (e == 0)
            result = Value::number(d);
        return e;
    }
    return runGeneric(result);
}

std::int32_t Program::runToNumberGeneric(double& value, bool& engineError)
{
    engineError = true;
    Value v;
    if (const auto e = runGeneric(v))
        return e;
    engineError = false;
    const NumberOutcome n = toNumber(v);
    value = n.value;
    return n.error;
}

const void* const* Program::numericTargets()
{
    const void* const* targets = nullptr;
    double ignored = 0;
    numeric(nullptr, nullptr, nullptr, ignored, &targets);
    return targets;
}

// The numeric evaluator. Each instruction jumps straight to the code of the next
// one (its target). The top of the stack lives in `top`, the values under it in
// `stack`. The usual case is computed first and checked only for being finite:
// every value of the language is finite, so a result that is not names a
// failure, whose number the checked operation then tells.
std::int32_t Program::numeric(const NumericInstr* ip, double* sp, Class1* object, double& result,
                              const void* const** targets)
{
#define TESSALY_TARGET(name) __extension__ &&op_##name,
    static const void* const kTargets[] = {TESSALY_OPS(TESSALY_TARGET)};
#undef TESSALY_TARGET
    if (targets) {
        *targets = kTargets;
        return 0;
    }

    double top = 0;
    double ignored = 0;

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
    op_##name##R: TESSALY_PUSH(method<m>(object, *ip->a)); TESSALY_NEXT;

    __extension__({ goto *ip->target; });

op_End:
    result = top;
    return 0;
op_PushNumber: TESSALY_PUSH(ip->u.d); TESSALY_NEXT;
op_PushRef: TESSALY_PUSH(*ip->u.ref); TESSALY_NEXT;
op_PushLong: TESSALY_PUSH(static_cast<double>(*ip->u.longRef)); TESSALY_NEXT;
op_Neg: top = -top; TESSALY_NEXT;
op_Not: {
    double r = 0;
    if (const auto e = num::bitNot(top, r))
        return e;
    top = r;
    TESSALY_NEXT;
}
op_Add: TESSALY_POP_BINARY(+, add)
op_Sub: TESSALY_POP_BINARY(-, sub)
op_Mul: TESSALY_POP_BINARY(*, mul)
op_Div: TESSALY_POP_BINARY(/, div)
op_Pow: {
    const double a = *--sp;
    TESSALY_CHECKED(power(a, top), num::pow(a, top, ignored))
}
op_AddK: TESSALY_CHECKED(top + ip->u.d, num::add(top, ip->u.d, ignored))
op_SubK: TESSALY_CHECKED(top - ip->u.d, num::sub(top, ip->u.d, ignored))
op_MulK: TESSALY_CHECKED(top * ip->u.d, num::mul(top, ip->u.d, ignored))
op_DivK: TESSALY_CHECKED(top / ip->u.d, num::div(top, ip->u.d, ignored))
op_PowK: TESSALY_CHECKED(std::pow(top, ip->u.d), num::pow(top, ip->u.d, ignored))
op_PowW: TESSALY_CHECKED(ip->u.power(top), num::pow(top, ip->n, ignored))
op_AddR: TESSALY_CHECKED(top + *ip->u.ref, num::add(top, *ip->u.ref, ignored))
op_SubR: TESSALY_CHECKED(top - *ip->u.ref, num::sub(top, *ip->u.ref, ignored))
op_MulR: TESSALY_CHECKED(top * *ip->u.ref, num::mul(top, *ip->u.ref, ignored))
op_DivR: TESSALY_CHECKED(top / *ip->u.ref, num::div(top, *ip->u.ref, ignored))
op_PowR: TESSALY_CHECKED(power(top, *ip->u.ref), num::pow(top, *ip->u.ref, ignored))
op_PowRW: TESSALY_PUSH(0); TESSALY_CHECKED(ip->u.power(*ip->a), num::pow(*ip->a, ip->n, ignored))
op_MulRR: TESSALY_PUSH(0); TESSALY_CHECKED(*ip->a * *ip->b, err::Overflow)
op_MulKR: TESSALY_PUSH(0); TESSALY_CHECKED(ip->u.d * *ip->a, err::Overflow)
op_MulRRR: TESSALY_PUSH(0); TESSALY_CHECKED(*ip->a * *ip->b * *ip->u.ref, err::Overflow)
op_MulKRR: TESSALY_PUSH(0); TESSALY_CHECKED(ip->u.d * *ip->a * *ip->b, err::Overflow)
// (The product and the sum or difference overflow alike: 6 either way.)
op_AddKR: TESSALY_CHECKED(top + ip->u.d * *ip->a, err::Overflow)
op_SubKR: TESSALY_CHECKED(top - ip->u.d * *ip->a, err::Overflow)
op_Sin: top = std::sin(top); TESSALY_NEXT;
op_Cos: top = std::cos(top); TESSALY_NEXT;
op_Atn: top = std::atan(top); TESSALY_NEXT;
op_Abs: top = std::fabs(top); TESSALY_NEXT;
op_Tan: TESSALY_CHECKED(std::tan(top), num::fnTan(top, ignored))
op_Exp: TESSALY_CHECKED(std::exp(top), num::fnExp(top, ignored))
op_Log: TESSALY_CHECKED(std::log(top), num::fnLog(top, ignored))
op_Sqr: TESSALY_CHECKED(std::sqrt(top), num::fnSqr(top, ignored))
op_SinR: TESSALY_PUSH(std::sin(*ip->a)); TESSALY_NEXT;
op_CosR: TESSALY_PUSH(std::cos(*ip->a)); TESSALY_NEXT;
op_AtnR: TESSALY_PUSH(std::atan(*ip->a)); TESSALY_NEXT;
op_AbsR: TESSALY_PUSH(std::fabs(*ip->a)); TESSALY_NEXT;
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
op_Eq: TESSALY_COMPARE(==)
op_Ne: TESSALY_COMPARE(!=)
op_Lt: TESSALY_COMPARE(<)
op_Gt: TESSALY_COMPARE(>)
op_Le: TESSALY_COMPARE(<=)
op_Ge: TESSALY_COMPARE(>=)
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

#undef TESSALY_NEXT
#undef TESSALY_PUSH
#undef TESSALY_CHECKED
#undef TESSALY_POP_BINARY
#undef TESSALY_WHOLE
#undef TESSALY_COMPARE
#undef TESSALY_METHOD
    // clang-format on
}

bool Program::runBlock(const double* xs, std::size_t n, double* values, std::uint8_t* known)
{
    if (m_object == nullptr || !numericFormApplies()) {
        std::fill(known, known + n, std::uint8_t{0});
        return false;
    }
    const std::size_t depth = m_numbers.size();
    const std::size_t lanes = std::clamp<std::size_t>(kBlockDoubles / depth, 1, kBlockLanes);
    m_columns.resize(depth * lanes);
    m_bad.resize(lanes);
    for (std::size_t start = 0; start < n; start += lanes) {
        const std::size_t count = std::min(lanes, n - start);
        std::fill(m_bad.begin(), m_bad.begin() + static_cast<std::ptrdiff_t>(count), std::uint64_t{0});
        block(xs + start, count, values + start, m_bad.data());
        for (std::size_t i = 0; i < count; ++i)
            known[start + i] = m_bad[i] == 0;
    }
    return true;
}

// The numeric form over a block of x: each instruction runs over every lane
// before the next one. Computes what the numeric evaluator computes, lane by
// lane, but never stops and never calls the object's functions: a lane where an
// operation fails (or a function would store a failure) is marked bad and its
// values are meaningless from there on.
void Program::block(const double* xs, std::size_t count, double* out, std::uint64_t* bad)
{
    const std::size_t lanes = m_columns.size() / m_numbers.size();
    const double* const x = &m_object->x;
    double* top = nullptr;  // the top column; none while the stack is empty
    auto operand = [&](const double* ref) { return ref == x ? Operand{xs, 1} : Operand{ref, 0}; };
    // Calls use(r) with r(i) the lane's value of the operand read through ref:
    // x's lanes, or one value for all (two loops the compiler vectorizes).
    auto with = [&](const double* ref, auto use) {
        if (ref == x) {
            const double* lanes = xs;
            use([lanes](std::size_t i) { return lanes[i]; });
        } else {
            const double v = *ref;
            use([v](std::size_t) { return v; });
        }
    };
    auto each = [&](auto f) {
        const std::size_t n = count;  // (a local: a store of a lane's flag may alias any other word)
        for (std::size_t i = 0; i < n; ++i)
            f(i);
    };
    // Writes each lane's value r(column, i) to the top column, marking the
    // non-finite ones. (The columns are locals of the loop, so the compiler
    // vectorizes it.)
    auto checked = [&](auto r) {
        double* const column = top;
        std::uint64_t* const flags = bad;
        const std::size_t n = count;
        for (std::size_t i = 0; i < n; ++i) {
            const double v = r(column, i);
            flags[i] |= !std::isfinite(v);
            column[i] = v;
        }
    };
    auto plain = [&](auto r) {
        double* const column = top;
        const std::size_t n = count;
        for (std::size_t i = 0; i < n; ++i)
            column[i] = r(column, i);
    };
    auto push = [&] { top = top == nullptr ? m_columns.data() : top + lanes; };
    auto pop = [&] {
        top -= lanes;
        return top + lanes;  // the column that was on top
    };
    // An operation of the language's arithmetic that returns its error number.
    auto whole = [&](auto call) {
        const double* b = pop();
        each([&](std::size_t i) {
            double r = 0;
            bad[i] |= call(top[i], b[i], r) != 0;
            top[i] = r;
        });
    };
    auto bitwise = [&](num::Bitwise which) {
        whole([which](double a, double b, double& r) { return num::bitwise(which, a, b, r); });
    };
    auto unary = [&](num::UnaryFn fn, Operand a) {
        each([&](std::size_t i) {
            double r = 0;
            bad[i] |= fn(a[i], r) != 0;
            top[i] = r;
        });
    };
    auto method = [&]<int M>(Operand a) {
        each([&](std::size_t i) {
            Unchecked u;
            top[i] = methodFormula<M>(u, a[i], m_object->halfpi);
            bad[i] |= !u.ok();
        });
    };
    auto callMethod = [&](Op op, Operand a) {
        switch (static_cast<int>(op) - static_cast<int>(Op::Asin)) {
        case 0: method.template operator()<0>(a); break;
        case 1: method.template operator()<1>(a); break;
        case 2: method.template operator()<2>(a); break;
        case 3: method.template operator()<3>(a); break;
        case 4: method.template operator()<4>(a); break;
        case 5: method.template operator()<5>(a); break;
        case 6: method.template operator()<6>(a); break;
        default: method.template operator()<7>(a); break;
        }
    };
    auto own = [&](const double* column) { return Operand{column, 1}; };
    // The common functions on the top column.
    auto math = [&](Op op) {
        switch (op) {
        case Op::Sin: plain([=](const double* t, std::size_t i) { return std::sin(t[i]); }); break;
        case Op::Cos: plain([=](const double* t, std::size_t i) { return std::cos(t[i]); }); break;
        case Op::Atn: plain([=](const double* t, std::size_t i) { return std::atan(t[i]); }); break;
        case Op::Abs: plain([=](const double* t, std::size_t i) { return std::fabs(t[i]); }); break;
        case Op::Tan: checked([=](const double* t, std::size_t i) { return std::tan(t[i]); }); break;
        case Op::Exp: checked([=](const double* t, std::size_t i) { return std::exp(t[i]); }); break;
        case Op::Log: checked([=](const double* t, std::size_t i) { return std::log(t[i]); }); break;
        default: checked([=](const double* t, std::size_t i) { return std::sqrt(t[i]); }); break;
        }
    };

    for (const NumericInstr* ip = m_fast.data();; ++ip) {
        const double k = ip->u.d;
        switch (ip->op) {
        case Op::End: std::copy(top, top + count, out); return;
        case Op::PushNumber:
            push();
            plain([=](const double*, std::size_t) { return k; });
            break;
        case Op::PushRef:
            push();
            with(ip->u.ref, [&](auto r) { plain([=](const double*, std::size_t i) { return r(i); }); });
            break;
        case Op::PushLong:
            push();  // ierr: cleared before each x, and a lane whose function failed is bad
            plain([=](const double*, std::size_t) { return 0.0; });
            break;
        case Op::Neg: plain([=](const double* t, std::size_t i) { return -t[i]; }); break;
        case Op::Not:
            each([&](std::size_t i) {
                double r = 0;
                bad[i] |= num::bitNot(top[i], r) != 0;
                top[i] = r;
            });
            break;
        case Op::Add: {
            const double* b = pop();
            checked([=](const double* t, std::size_t i) { return t[i] + b[i]; });
            break;
        }
        case Op::Sub: {
            const double* b = pop();
            checked([=](const double* t, std::size_t i) { return t[i] - b[i]; });
            break;
        }
        case Op::Mul: {
            const double* b = pop();
            checked([=](const double* t, std::size_t i) { return t[i] * b[i]; });
            break;
        }
        case Op::Div: {
            const double* b = pop();
            checked([=](const double* t, std::size_t i) { return t[i] / b[i]; });
            break;
        }
        case Op::Pow: {
            const double* b = pop();
            checked([=](const double* t, std::size_t i) { return power(t[i], b[i]); });
            break;
        }
        case Op::AddK: checked([=](const double* t, std::size_t i) { return t[i] + k; }); break;
        case Op::SubK: checked([=](const double* t, std::size_t i) { return t[i] - k; }); break;
        case Op::MulK: checked([=](const double* t, std::size_t i) { return t[i] * k; }); break;
        case Op::DivK: checked([=](const double* t, std::size_t i) { return t[i] / k; }); break;
        case Op::PowK: checked([=](const double* t, std::size_t i) { return std::pow(t[i], k); }); break;
        case Op::PowW:
            wholePowers(top, 1, ip->n, top, count);
            checked([=](const double* t, std::size_t i) { return t[i]; });
            break;
        case Op::AddR:
            with(ip->u.ref, [&](auto r) { checked([=](const double* t, std::size_t i) { return t[i] + r(i); }); });
            break;
        case Op::SubR:
            with(ip->u.ref, [&](auto r) { checked([=](const double* t, std::size_t i) { return t[i] - r(i); }); });
            break;
        case Op::MulR:
            with(ip->u.ref, [&](auto r) { checked([=](const double* t, std::size_t i) { return t[i] * r(i); }); });
            break;
        case Op::DivR:
            with(ip->u.ref, [&](auto r) { checked([=](const double* t, std::size_t i) { return t[i] / r(i); }); });
            break;
        case Op::PowR:
            with(ip->u.ref,
                 [&](auto r) { checked([=](const double* t, std::size_t i) { return power(t[i], r(i)); }); });
            break;
        case Op::PowRW: {
            const Operand a = operand(ip->a);
            push();
            wholePowers(a.p, a.step, ip->n, top, count);
            checked([=](const double* t, std::size_t i) { return t[i]; });
            break;
        }
        case Op::MulRR:
            push();
            with(ip->a, [&](auto a) {
                with(ip->b, [&](auto b) { checked([=](const double*, std::size_t i) { return a(i) * b(i); }); });
            });
            break;
        case Op::MulKR:
            push();
            with(ip->a, [&](auto a) { checked([=](const double*, std::size_t i) { return k * a(i); }); });
            break;
        case Op::MulRRR:
            push();
            with(ip->a, [&](auto a) {
                with(ip->b, [&](auto b) {
                    with(ip->u.ref,
                         [&](auto c) { checked([=](const double*, std::size_t i) { return a(i) * b(i) * c(i); }); });
                });
            });
            break;
        case Op::MulKRR:
            push();
            with(ip->a, [&](auto a) {
                with(ip->b, [&](auto b) { checked([=](const double*, std::size_t i) { return k * a(i) * b(i); }); });
            });
            break;
        case Op::AddKR:
            with(ip->a, [&](auto a) { checked([=](const double* t, std::size_t i) { return t[i] + k * a(i); }); });
            break;
        case Op::SubKR:
            with(ip->a, [&](auto a) { checked([=](const double* t, std::size_t i) { return t[i] - k * a(i); }); });
            break;
        case Op::Sin:
        case Op::Cos:
        case Op::Atn:
        case Op::Abs:
        case Op::Tan:
        case Op::Exp:
        case Op::Log:
        case Op::Sqr: math(ip->op); break;
        case Op::SinR:
        case Op::CosR:
        case Op::AtnR:
        case Op::AbsR:
        case Op::TanR:
        case Op::ExpR:
        case Op::LogR:
        case Op::SqrR:
            push();
            with(ip->a, [&](auto a) { plain([=](const double*, std::size_t i) { return a(i); }); });
            math(shifted(ip->op, Op::SinR, Op::Sin));
            break;
        case Op::Call1: unary(ip->u.fn, own(top)); break;
        case Op::Call1R: {
            const Operand a = operand(ip->a);
            push();
            unary(ip->u.fn, a);
            break;
        }
        case Op::IntDiv: whole(num::intDiv); break;
        case Op::Mod: whole(num::mod); break;
        case Op::Round2: whole(num::fnRound2); break;
        case Op::And: bitwise(num::Bitwise::And); break;
        case Op::Or: bitwise(num::Bitwise::Or); break;
        case Op::Xor: bitwise(num::Bitwise::Xor); break;
        case Op::Eqv: bitwise(num::Bitwise::Eqv); break;
        case Op::Imp: bitwise(num::Bitwise::Imp); break;
        case Op::Eq: {
            const double* b = pop();
            plain([=](const double* t, std::size_t i) { return num::truth(t[i] == b[i]); });
            break;
        }
        case Op::Ne: {
            const double* b = pop();
            plain([=](const double* t, std::size_t i) { return num::truth(t[i] != b[i]); });
            break;
        }
        case Op::Lt: {
            const double* b = pop();
            plain([=](const double* t, std::size_t i) { return num::truth(t[i] < b[i]); });
            break;
        }
        case Op::Gt: {
            const double* b = pop();
            plain([=](const double* t, std::size_t i) { return num::truth(t[i] > b[i]); });
            break;
        }
        case Op::Le: {
            const double* b = pop();
            plain([=](const double* t, std::size_t i) { return num::truth(t[i] <= b[i]); });
            break;
        }
        case Op::Ge: {
            const double* b = pop();
            plain([=](const double* t, std::size_t i) { return num::truth(t[i] >= b[i]); });
            break;
        }
        case Op::Raise: std::fill(bad, bad + count, std::uint64_t{1}); return;
        default:
            if (ip->op >= Op::Asin && ip->op <= Op::Atanh) {
                callMethod(ip->op, own(top));
            } else if (ip->op >= Op::AsinR && ip->op <= Op::AtanhR) {
                const Operand a = operand(ip->a);
                push();
                callMethod(shifted(ip->op, Op::AsinR, Op::Asin), a);
            } else {
                __builtin_unreachable();  // the general form's instructions
            }
            break;
        }
    }
}

std::int32_t Program::runGeneric(Value& result)
{
    m_pool.clear();
    Cell* sp = m_cells.data();
    for (const Instr& in : m_code) {
        std::int32_t e = 0;
        switch (in.op) {
        case Op::PushNumber: *sp++ = Cell{in.u.d, nullptr, Kind::Number}; break;
        case Op::PushConst: {
            const Constant& c = m_constants[static_cast<std::size_t>(in.n)];
            if (c.made)
                e = m_pool.charge(c.made);
            *sp++ = cellOf(c.value);
            break;
        }
        case Op::PushVar: {
            const Variable* v = in.u.var;
            *sp++ = Cell{v->num, v->kind == Kind::String ? &v->text : nullptr, v->kind};
            break;
        }
        case Op::PushField: *sp++ = Cell{*in.u.ref, nullptr, Kind::Number}; break;
        case Op::PushLong: *sp++ = Cell{static_cast<double>(*in.u.longRef), nullptr, Kind::Number}; break;
        case Op::Neg:
        case Op::Not: e = applyUnary(in.op, sp[-1], sp[-1]); break;
        case Op::Call1: e = applyCall1(in.u.fn, sp[-1], sp[-1]); break;
        case Op::Round2:
            e = applyRound2(sp[-2], sp[-1], sp[-2]);
            --sp;
            break;
        case Op::CallMethod: {
            double arg = 0;
            e = numericOperand(sp[-1], arg);
            if (e == 0)
                sp[-1] = Cell{(m_object->*kMethods[in.n])(arg), nullptr, Kind::Number};
            break;
        }
        case Op::StoreVar: in.u.var->assign(sp[-1]); break;
        case Op::StoreField: {
            double v = 0;
            e = numericOperand(sp[-1], v);
            if (e == 0)
                *in.u.ref = v;
            break;
        }
        case Op::StoreLong: {
            double v = 0;
            std::int32_t l = 0;
            e = numericOperand(sp[-1], v);
            if (e == 0)
                e = num::toLong(v, l);
            if (e == 0)
                *in.u.longRef = l;
            break;
        }
        case Op::Raise: return in.n;
        default:
            e = applyBinary(in.op, sp[-2], sp[-1], sp[-2], m_pool);
            --sp;
            break;
        }
        if (e)
            return e;
    }
    result = sp > m_cells.data() ? valueOf(sp[-1]) : Value();
    return 0;
}

}  // namespace tessaly::engine
