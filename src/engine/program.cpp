#include "engine/program.h"

#include "engine/class1.h"
#include "engine/errors.h"

namespace tessaly::engine {
namespace {

constexpr Class1::Function kMethods[] = {&Class1::Asin, &Class1::Acos,  &Class1::Sinh,  &Class1::Cosh,
                                         &Class1::Tanh, &Class1::Asinh, &Class1::Acosh, &Class1::Atanh};

bool isFusable(Op op)
{
    return op == Op::Add || op == Op::Sub || op == Op::Mul || op == Op::Div || op == Op::Pow;
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

Program::Program(std::vector<Instr> code, std::vector<Value> constants, std::vector<Variable*> variables,
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
// them where they can (x*2 -> MulK, Sin(x) -> Call1R).
void Program::buildNumericForm()
{
    std::vector<Instr> fast;
    fast.reserve(m_code.size());
    for (const Instr& in : m_code) {
        Instr out = in;
        switch (in.op) {
        case Op::PushConst: {
            const Value& v = m_constants[static_cast<std::size_t>(in.n)];
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
        case Op::PushField:
            out.op = Op::PushRef;
            break;
        case Op::Concat:
        case Op::StoreVar:
        case Op::StoreField:
        case Op::StoreLong: return;
        default: break;
        }
        if (!fast.empty() && isFusable(in.op) && (fast.back().op == Op::PushNumber || fast.back().op == Op::PushRef)) {
            Instr operand = fast.back();
            operand.op = fused(in.op, operand.op == Op::PushNumber);
            fast.back() = operand;
            continue;
        }
        if (!fast.empty() && in.op == Op::Call1 && fast.back().op == Op::PushRef) {
            Instr call = in;
            call.op = Op::Call1R;
            call.arg = fast.back().u.ref;
            fast.back() = call;
            continue;
        }
        fast.push_back(out);
    }
    m_fast = std::move(fast);
}

bool Program::numericFormApplies() const
{
    if (m_fast.empty())
        return false;
    for (const Variable* v : m_variables)
        if (v->kind != Kind::Number && v->kind != Kind::Empty && v->kind != Kind::Boolean)
            return false;
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

#define TESSALY_BINARY_NUM(fn, rhs)                 \
    {                                               \
        double r;                                   \
        if (const auto e = num::fn(sp[-1], rhs, r)) \
            return e;                               \
        sp[-1] = r;                                 \
        break;                                      \
    }

#define TESSALY_BINARY_POP(fn)                      \
    {                                               \
        double r;                                   \
        if (const auto e = num::fn(sp[-2], sp[-1], r)) \
            return e;                               \
        --sp;                                       \
        sp[-1] = r;                                 \
        break;                                      \
    }

std::int32_t Program::runNumeric(double& result)
{
    double* sp = m_numbers.data();
    for (const Instr& in : m_fast) {
        switch (in.op) {
        case Op::PushNumber: *sp++ = in.u.d; break;
        case Op::PushRef: *sp++ = *in.u.ref; break;
        case Op::PushLong: *sp++ = *in.u.longRef; break;
        case Op::Neg: sp[-1] = -sp[-1]; break;
        case Op::Not: {
            double r;
            if (const auto e = num::bitNot(sp[-1], r))
                return e;
            sp[-1] = r;
            break;
        }
        case Op::Add: TESSALY_BINARY_POP(add)
        case Op::Sub: TESSALY_BINARY_POP(sub)
        case Op::Mul: TESSALY_BINARY_POP(mul)
        case Op::Div: TESSALY_BINARY_POP(div)
        case Op::Pow: TESSALY_BINARY_POP(pow)
        case Op::IntDiv: TESSALY_BINARY_POP(intDiv)
        case Op::Mod: TESSALY_BINARY_POP(mod)
        case Op::AddK: TESSALY_BINARY_NUM(add, in.u.d)
        case Op::SubK: TESSALY_BINARY_NUM(sub, in.u.d)
        case Op::MulK: TESSALY_BINARY_NUM(mul, in.u.d)
        case Op::DivK: TESSALY_BINARY_NUM(div, in.u.d)
        case Op::PowK: TESSALY_BINARY_NUM(pow, in.u.d)
        case Op::AddR: TESSALY_BINARY_NUM(add, *in.u.ref)
        case Op::SubR: TESSALY_BINARY_NUM(sub, *in.u.ref)
        case Op::MulR: TESSALY_BINARY_NUM(mul, *in.u.ref)
        case Op::DivR: TESSALY_BINARY_NUM(div, *in.u.ref)
        case Op::PowR: TESSALY_BINARY_NUM(pow, *in.u.ref)
        case Op::Eq: --sp; sp[-1] = num::truth(sp[-1] == sp[0]); break;
        case Op::Ne: --sp; sp[-1] = num::truth(sp[-1] != sp[0]); break;
        case Op::Lt: --sp; sp[-1] = num::truth(sp[-1] < sp[0]); break;
        case Op::Gt: --sp; sp[-1] = num::truth(sp[-1] > sp[0]); break;
        case Op::Le: --sp; sp[-1] = num::truth(sp[-1] <= sp[0]); break;
        case Op::Ge: --sp; sp[-1] = num::truth(sp[-1] >= sp[0]); break;
        case Op::And:
        case Op::Or:
        case Op::Xor:
        case Op::Eqv:
        case Op::Imp: {
            const auto which = in.op == Op::And ? num::Bitwise::And
                : in.op == Op::Or               ? num::Bitwise::Or
                : in.op == Op::Xor              ? num::Bitwise::Xor
                : in.op == Op::Eqv              ? num::Bitwise::Eqv
                                                : num::Bitwise::Imp;
            double r;
            if (const auto e = num::bitwise(which, sp[-2], sp[-1], r))
                return e;
            --sp;
            sp[-1] = r;
            break;
        }
        case Op::Call1: {
            double r;
            if (const auto e = in.u.fn(sp[-1], r))
                return e;
            sp[-1] = r;
            break;
        }
        case Op::Call1R: {
            double r;
            if (const auto e = in.u.fn(*in.arg, r))
                return e;
            *sp++ = r;
            break;
        }
        case Op::Round2: TESSALY_BINARY_POP(fnRound2)
        case Op::CallMethod: {
            double arg = sp[-1];
            sp[-1] = (m_object->*kMethods[in.n])(arg);
            break;
        }
        case Op::Raise: return in.n;
        default: return err::Syntax;  // not produced for the numeric form
        }
    }
    result = sp > m_numbers.data() ? sp[-1] : 0;
    return 0;
}

#undef TESSALY_BINARY_NUM
#undef TESSALY_BINARY_POP

std::int32_t Program::runGeneric(Value& result)
{
    m_pool.clear();
    Cell* sp = m_cells.data();
    for (const Instr& in : m_code) {
        std::int32_t e = 0;
        switch (in.op) {
        case Op::PushNumber: *sp++ = Cell{in.u.d, nullptr, Kind::Number}; break;
        case Op::PushConst: *sp++ = cellOf(m_constants[static_cast<std::size_t>(in.n)]); break;
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
        case Op::StoreVar:
            in.u.var->assign(sp[-1]);
            break;
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
