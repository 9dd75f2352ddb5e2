#include "engine/program.h"

#include "engine/class1.h"
#include "engine/errors.h"

namespace tessaly::engine {
namespace {

constexpr Class1::Function kMethods[] = {&Class1::Asin, &Class1::Acos,  &Class1::Sinh,  &Class1::Cosh,
                                         &Class1::Tanh, &Class1::Asinh, &Class1::Acosh, &Class1::Atanh};

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

constexpr int kRefOffset = static_cast<int>(Op::SinR) - static_cast<int>(Op::Sin);

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
    buildNumericForm();
}

// The numeric form exists when nothing in the program can make a text or Null
// and it assigns nothing. Number operands move into the instruction that uses
// them where they can (x*2 -> MulK, Sin(x) -> SinR), and the common functions get
// instructions of their own.
void Program::buildNumericForm()
{
    std::vector<Instr> fast;
    fast.reserve(m_code.size() + 1);  // End included
    for (const Instr& in : m_code) {
        Instr out = in;
        switch (in.op) {
        case Op::PushConst: {
            const Value& v = m_constants[static_cast<std::size_t>(in.n)].value;
            if (v.kind() == Kind::String || v.kind() == Kind::Null)
                return;
            out.op = Op::PushNumber;
            out.u.d = v.numeric();
            break;
        }
        case Op::PushVar:
            out.op = Op::PushRef;
            out.u.ref = &in.u.var->num;
            break;
        case Op::PushField: out.op = Op::PushRef; break;
        case Op::Concat:
        case Op::StoreVar:
        case Op::StoreField:
        case Op::StoreLong: return;
        default: break;
        }
        const bool afterPush = !fast.empty() && (fast.back().op == Op::PushNumber || fast.back().op == Op::PushRef);
        if (afterPush && isFusable(in.op)) {
            Instr operand = fast.back();
            operand.op = fused(in.op, operand.op == Op::PushNumber);
            if (operand.op == Op::PowK && operand.u.d >= kWholePowerMin && operand.u.d <= kWholePowerMax
                && operand.u.d == static_cast<double>(static_cast<int>(operand.u.d))) {
                operand.op = Op::PowW;  // a whole power: no test of the exponent when it runs
                operand.n = static_cast<std::int32_t>(operand.u.d);
            }
            fast.back() = operand;
            continue;
        }
        if (in.op == Op::CallMethod && afterPush && fast.back().op == Op::PushRef) {
            Instr call = in;
            call.op = Op::CallMethodR;
            call.arg = fast.back().u.ref;
            fast.back() = call;
            continue;
        }
        if (in.op == Op::Call1) {
            const Op own = mathOp(in.u.fn);
            if (afterPush && fast.back().op == Op::PushRef) {
                Instr call = in;
                call.op = own == Op::Call1 ? Op::Call1R : static_cast<Op>(static_cast<int>(own) + kRefOffset);
                call.arg = fast.back().u.ref;
                fast.back() = call;
                continue;
            }
            out.op = own;
        }
        fast.push_back(out);
    }
    Instr end{};
    end.op = Op::End;
    fast.push_back(end);
    const void* const* targets = numericTargets();
    for (Instr& in : fast)
        in.target = targets[static_cast<std::size_t>(in.op)];
    m_fast = std::move(fast);
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
std::int32_t Program::numeric(const Instr* ip, double* sp, Class1* object, double& result, const void* const** targets)
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
op_PowW: TESSALY_CHECKED(wholePower(top, ip->n), num::pow(top, ip->u.d, ignored))
op_AddR: TESSALY_CHECKED(top + *ip->u.ref, num::add(top, *ip->u.ref, ignored))
op_SubR: TESSALY_CHECKED(top - *ip->u.ref, num::sub(top, *ip->u.ref, ignored))
op_MulR: TESSALY_CHECKED(top * *ip->u.ref, num::mul(top, *ip->u.ref, ignored))
op_DivR: TESSALY_CHECKED(top / *ip->u.ref, num::div(top, *ip->u.ref, ignored))
op_PowR: TESSALY_CHECKED(power(top, *ip->u.ref), num::pow(top, *ip->u.ref, ignored))
op_Sin: top = std::sin(top); TESSALY_NEXT;
op_Cos: top = std::cos(top); TESSALY_NEXT;
op_Atn: top = std::atan(top); TESSALY_NEXT;
op_Abs: top = std::fabs(top); TESSALY_NEXT;
op_Tan: TESSALY_CHECKED(std::tan(top), num::fnTan(top, ignored))
op_Exp: TESSALY_CHECKED(std::exp(top), num::fnExp(top, ignored))
op_Log: TESSALY_CHECKED(std::log(top), num::fnLog(top, ignored))
op_Sqr: TESSALY_CHECKED(std::sqrt(top), num::fnSqr(top, ignored))
op_SinR: TESSALY_PUSH(std::sin(*ip->arg)); TESSALY_NEXT;
op_CosR: TESSALY_PUSH(std::cos(*ip->arg)); TESSALY_NEXT;
op_AtnR: TESSALY_PUSH(std::atan(*ip->arg)); TESSALY_NEXT;
op_AbsR: TESSALY_PUSH(std::fabs(*ip->arg)); TESSALY_NEXT;
op_TanR: TESSALY_PUSH(0); TESSALY_CHECKED(std::tan(*ip->arg), num::fnTan(*ip->arg, ignored))
op_ExpR: TESSALY_PUSH(0); TESSALY_CHECKED(std::exp(*ip->arg), num::fnExp(*ip->arg, ignored))
op_LogR: TESSALY_PUSH(0); TESSALY_CHECKED(std::log(*ip->arg), num::fnLog(*ip->arg, ignored))
op_SqrR: TESSALY_PUSH(0); TESSALY_CHECKED(std::sqrt(*ip->arg), num::fnSqr(*ip->arg, ignored))
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
    if (const auto e = ip->u.fn(*ip->arg, r))
        return e;
    TESSALY_PUSH(r);
    TESSALY_NEXT;
}
op_CallMethod: {
    double arg = top;
    top = (object->*kMethods[ip->n])(arg);
    TESSALY_NEXT;
}
op_CallMethodR: {
    double arg = *ip->arg;
    const double r = (object->*kMethods[ip->n])(arg);
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
    __builtin_unreachable();

#undef TESSALY_NEXT
#undef TESSALY_PUSH
#undef TESSALY_CHECKED
#undef TESSALY_POP_BINARY
#undef TESSALY_WHOLE
#undef TESSALY_COMPARE
    // clang-format on
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
