#include "engine/program.h"

#include "engine/errors.h"
#include "engine/programparts.h"

namespace tessaly::engine {

using parts::kMethods;

void Variable::assign(const Cell& c)
{
    assignments.fetch_add(1, std::memory_order_relaxed);
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

std::int32_t Program::run(Value& result)
{
    if (numericFormApplies()) {
        const std::int32_t e = runNumeric();
        if (e == 0)
            result = Value::number(m_numbers[0]);
        return e;
    }
    return runGeneric(result);
}

std::int32_t Program::runToNumberGeneric()
{
    Value v;
    if (const auto e = runGeneric(v))
        return e;
    const NumberOutcome n = toNumber(v);
    m_numbers[0] = n.value;
    return -n.error;
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
