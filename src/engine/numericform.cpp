// The numeric form of a program: how it is made from the general form, and
// made again when a folded name changes.

#include <algorithm>
#include <cstring>

#include "engine/errors.h"
#include "engine/program.h"
#include "engine/programparts.h"

namespace tessaly::engine {
namespace {

using parts::shifted;

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

// The form of a function's instruction (or the negation's) that reads its
// argument through a pointer.
Op refForm(Op op)
{
    if (op == Op::Call1)
        return Op::Call1R;
    if (op == Op::Neg)
        return Op::NegR;
    if (op >= Op::Sin && op <= Op::Abs)
        return shifted(op, Op::Sin, Op::SinR);
    return shifted(op, Op::Asin, Op::AsinR);
}
bool hasRefForm(Op op)
{
    return op == Op::Call1 || op == Op::Neg || (op >= Op::Sin && op <= Op::Abs) || (op >= Op::Asin && op <= Op::Atanh);
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
    case Op::NegR:
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
        if ((op >= Op::AddK && op <= Op::PowR) || (op >= Op::Sin && op <= Op::Atanh)
            || (op >= Op::AddFR && op <= Op::AtanhRMul))
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

}  // namespace

// The extension object's fields other than x are folded; x changes with every
// value of f.
bool Program::foldable(const double* field) const { return m_object == nullptr || field != &m_object->x; }

// The numeric form exists when nothing in the program can make a text or Null
// and it assigns nothing. Names other than x become numbers, and what numbers
// alone determine is computed now (see the class comment). Number operands move
// into the instruction that uses them where they can (x*2 -> MulK, Sin(x) ->
// SinR), the functions get instructions of their own, and a few common shapes
// one instruction each (x^5, a*x, a*x*x, -x).
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
            if (numeric(program, stack, m_object) == 0) {
                const double value = stack[0];
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
                merged.op = refForm(out.op);  // f(r), -r
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
    joinFunctionOperations(targets);
    m_leaf = std::all_of(m_fast.begin(), m_fast.end(), [](const NumericInstr& in) { return leafIndex(in.op) >= 0; });
    if (m_leaf) {
        const void* const* leaf = leafTargets();
        for (NumericInstr& in : m_fast)
            in.target = leaf[leafIndex(in.op)];
    }
    m_fields = m_folded.data() + m_variables.size();
    m_foldedEnd = m_folded.data() + m_folded.size();
}

// A function of an operand read through a pointer, followed by an operation of
// the value under it and the function's value (x * Sin(x), x * Tanh(x)): one
// instruction, which computes the same in the same order. Sin, Cos and Atn,
// which cannot fail, are called through a pointer and joined with +, -, * or /;
// the object's functions, whose code is in the evaluator, with * only. The
// block evaluator takes such an instruction as the two it joins.
void Program::joinFunctionOperations(const void* const* targets)
{
    std::size_t kept = 0;
    for (std::size_t i = 0; i < m_fast.size(); ++i) {
        NumericInstr in = m_fast[i];
        const Op next = i + 1 < m_fast.size() ? m_fast[i + 1].op : Op::End;
        if (const SureFn f = sureFunction(in.op);
            f != nullptr && (next == Op::Add || next == Op::Sub || next == Op::Mul || next == Op::Div)) {
            in.n = static_cast<std::int32_t>(in.op);
            in.op = shifted(next, Op::Add, Op::AddFR);
            in.u.function = f;
            in.target = targets[static_cast<std::size_t>(in.op)];
            ++i;
        } else if (in.op >= Op::AsinR && in.op <= Op::AtanhR && next == Op::Mul) {
            in.op = shifted(in.op, Op::AsinR, Op::AsinRMul);
            in.target = targets[static_cast<std::size_t>(in.op)];
            ++i;
        }
        m_fast[kept++] = in;
    }
    m_fast.resize(kept);
}

// A pass over every name of m_folded: the form holds as it is, is made again,
// or does not apply.
bool Program::checkFolded()
{
    if (!m_numericPossible)
        return false;
    const std::uint64_t count = Variable::assignments.load(std::memory_order_relaxed);
    for (const Folded& f : m_folded) {
        if (!isNumericKind(*f.kind) || !sameBits(*f.value, f.was)) {
            if (!refreshNumericForm())
                return false;  // (and m_assignmentsSeen is not this count: no pass found the form holds with it)
            break;
        }
    }
    m_assignmentsSeen = count;
    return true;
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

}  // namespace tessaly::engine
