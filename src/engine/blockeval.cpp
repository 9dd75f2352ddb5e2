// The numeric form over a block of x.

#include <algorithm>
#include <cstdint>

#include "engine/errors.h"
#include "engine/program.h"
#include "engine/programparts.h"

namespace tessaly::engine {
namespace {

using parts::kBlockDoubles;
using parts::kBlockLanes;
using parts::methodFormula;
using parts::shifted;

// An operand of the block evaluator read through a pointer: the lanes' values
// of x, or one value for every lane.
struct Operand {
    const double* p;
    std::size_t step;
    double operator[](std::size_t i) const { return p[i * step]; }
};

}  // namespace

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
// Built twice, for processors with AVX2 (four lanes to a vector operation) and
// for the rest; the loader picks one. Vector operations round each lane as the
// scalar ones do (and nothing is contracted into a fused multiply-add), so
// both give the same bits. (Not under ThreadSanitizer: the loader picks the
// version by calling code of ours before the sanitizer's runtime is ready.)
#if defined(__x86_64__) && !defined(__clang__) && !defined(__SANITIZE_THREAD__)
[[gnu::target_clones("avx2", "default")]]
#endif
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
    // non-finite ones. (The columns are locals of the loop, and the marks are
    // whole numbers, so the compiler vectorizes it.)
    auto checked = [&](auto r) {
        double* const column = top;
        std::uint64_t* const flags = bad;
        const std::size_t n = count;
        for (std::size_t i = 0; i < n; ++i) {
            const double v = r(column, i);
            flags[i] |= nonFinite(v);
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
    // Pushes f(r) for f's instruction of the R form.
    auto pushFunctionOf = [&](Op refForm, const double* ref) {
        const Operand a = operand(ref);
        push();
        if (refForm >= Op::AsinR && refForm <= Op::AtanhR) {
            callMethod(shifted(refForm, Op::AsinR, Op::Asin), a);
        } else {
            with(ref, [&](auto r) { plain([=](const double*, std::size_t i) { return r(i); }); });
            math(shifted(refForm, Op::SinR, Op::Sin));
        }
    };
    // The value under the top and the top: +, -, * or /.
    auto arithmetic = [&](Op op) {
        const double* b = pop();
        switch (op) {
        case Op::Add: checked([=](const double* t, std::size_t i) { return t[i] + b[i]; }); break;
        case Op::Sub: checked([=](const double* t, std::size_t i) { return t[i] - b[i]; }); break;
        case Op::Mul: checked([=](const double* t, std::size_t i) { return t[i] * b[i]; }); break;
        default: checked([=](const double* t, std::size_t i) { return t[i] / b[i]; }); break;
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
        case Op::NegR:
            push();
            with(ip->a, [&](auto a) { plain([=](const double*, std::size_t i) { return -a(i); }); });
            break;
        case Op::Not:
            each([&](std::size_t i) {
                double r = 0;
                bad[i] |= num::bitNot(top[i], r) != 0;
                top[i] = r;
            });
            break;
        case Op::Add:
        case Op::Sub:
        case Op::Mul:
        case Op::Div: arithmetic(ip->op); break;
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
        case Op::SqrR: pushFunctionOf(ip->op, ip->a); break;
        case Op::AddFR:
        case Op::SubFR:
        case Op::MulFR:
        case Op::DivFR:
            // f(r) and the operation it was joined with
            pushFunctionOf(static_cast<Op>(ip->n), ip->a);
            arithmetic(shifted(ip->op, Op::AddFR, Op::Add));
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
                pushFunctionOf(ip->op, ip->a);
            } else if (ip->op >= Op::AsinRMul && ip->op <= Op::AtanhRMul) {
                pushFunctionOf(shifted(ip->op, Op::AsinRMul, Op::AsinR), ip->a);
                arithmetic(Op::Mul);
            } else {
                __builtin_unreachable();  // the general form's instructions
            }
            break;
        }
    }
}

}  // namespace tessaly::engine
