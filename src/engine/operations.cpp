#include "engine/operations.h"

#include <array>

#include "common/numbertext.h"
#include "engine/errors.h"

namespace tessaly::engine {
namespace {

Cell number(double d) { return Cell{d, nullptr, Kind::Number}; }
Cell boolean(bool b) { return Cell{num::truth(b), nullptr, Kind::Boolean}; }
Cell null() { return Cell{0, nullptr, Kind::Null}; }

bool isText(const Cell& c) { return c.k == Kind::String; }
bool isTextLike(const Cell& c) { return c.k == Kind::String || c.k == Kind::Empty; }
const std::string& textOf(const Cell& c)
{
    static const std::string empty;
    return c.s ? *c.s : empty;
}

// A value as "&" joins it: numbers as number text, truth values as True/False.
// scratch holds a number's text.
std::string_view joinText(const Cell& c, std::string& scratch)
{
    switch (c.k) {
    case Kind::String: return textOf(c);
    case Kind::Number: return scratch = common::numberText(c.d);
    case Kind::Boolean: return c.d != 0 ? "True" : "False";
    case Kind::Empty:
    case Kind::Null: return {};
    }
    return {};
}

// The text a followed by b, kept in the pool.
std::int32_t join(std::string_view a, std::string_view b, TextPool& pool, Cell& out)
{
    // A join too long by more than the three characters the seam may merge (see
    // textLength) is refused before the text is made.
    if (a.size() + b.size() > kMaxTextLength && textLength(a) + textLength(b) > kMaxTextLength + 3)
        return err::OutOfStringSpace;
    std::string text;
    text.reserve(a.size() + b.size());
    text.append(a).append(b);
    const std::string* kept = nullptr;
    if (const auto e = pool.add(std::move(text), kept))
        return e;
    out = Cell{0, kept, Kind::String};
    return 0;
}

// The order of two non-Null values: texts by character codes; a number (or truth
// value) is less than any text; otherwise by numeric value, Empty being 0 or "".
int compare(const Cell& a, const Cell& b)
{
    if (isText(a) || isText(b)) {
        if (isTextLike(a) && isTextLike(b)) {
            const int c = textOf(a).compare(textOf(b));
            return c < 0 ? -1 : c > 0 ? 1 : 0;
        }
        return isText(a) ? 1 : -1;
    }
    return a.d < b.d ? -1 : a.d > b.d ? 1 : 0;
}

// Both operands as numbers, left first.
std::int32_t numericOperands(const Cell& a, const Cell& b, double& x, double& y)
{
    if (const auto e = numericOperand(a, x))
        return e;
    return numericOperand(b, y);
}

bool isFalse(const Cell& c) { return (c.k == Kind::Number || c.k == Kind::Boolean || c.k == Kind::Empty) && c.d == 0; }
bool isTrue(const Cell& c) { return (c.k == Kind::Number || c.k == Kind::Boolean) && c.d == -1; }

std::int32_t logical(Op op, const Cell& a, const Cell& b, Cell& out)
{
    if (a.k == Kind::Null || b.k == Kind::Null) {
        const Cell& other = a.k == Kind::Null ? b : a;
        if (op == Op::And && isFalse(other))
            out = other.k == Kind::Boolean ? boolean(false) : number(0);
        else if (op == Op::Or && isTrue(other))
            out = other;
        else
            out = null();
        return 0;
    }
    double x = 0, y = 0;
    if (const auto e = numericOperands(a, b, x, y))
        return e;
    num::Bitwise which = num::Bitwise::And;
    switch (op) {
    case Op::Or: which = num::Bitwise::Or; break;
    case Op::Xor: which = num::Bitwise::Xor; break;
    case Op::Eqv: which = num::Bitwise::Eqv; break;
    case Op::Imp: which = num::Bitwise::Imp; break;
    default: break;
    }
    double r = 0;
    if (const auto e = num::bitwise(which, x, y, r))
        return e;
    out = Cell{r, nullptr, a.k == Kind::Boolean && b.k == Kind::Boolean ? Kind::Boolean : Kind::Number};
    return 0;
}

constexpr std::array kBuiltins{
    Builtin{"sin", num::fnSin, 1, 1},   Builtin{"cos", num::fnCos, 1, 1},   Builtin{"tan", num::fnTan, 1, 1},
    Builtin{"atn", num::fnAtn, 1, 1},   Builtin{"exp", num::fnExp, 1, 1},   Builtin{"log", num::fnLog, 1, 1},
    Builtin{"sqr", num::fnSqr, 1, 1},   Builtin{"abs", num::fnAbs, 1, 1},   Builtin{"int", num::fnInt, 1, 1},
    Builtin{"fix", num::fnFix, 1, 1},   Builtin{"sgn", num::fnSgn, 1, 1},   Builtin{"cint", num::fnCInt, 1, 1},
    Builtin{"clng", num::fnCLng, 1, 1}, Builtin{"cdbl", num::fnCDbl, 1, 1}, Builtin{"round", num::fnRound, 1, 2},
};

}  // namespace

std::int32_t TextPool::add(std::string text, const std::string*& kept)
{
    if (text.size() > kMaxTextLength && textLength(text) > kMaxTextLength)
        return err::OutOfStringSpace;  // (a character takes a byte at least)
    if (const auto e = charge(text.size()))
        return e;
    kept = &m_texts.emplace_back(std::move(text));
    return 0;
}

std::int32_t TextPool::charge(std::size_t bytes)
{
    if (bytes > kMaxEvaluationTextBytes - m_used)
        return err::OutOfMemory;
    m_used += bytes;
    return 0;
}

Cell cellOf(const Value& v) { return Cell{v.numeric(), v.kind() == Kind::String ? &v.str() : nullptr, v.kind()}; }

Value valueOf(const Cell& c)
{
    switch (c.k) {
    case Kind::Empty: return Value();
    case Kind::Null: return Value::null();
    case Kind::Boolean: return Value::boolean(c.d != 0);
    case Kind::Number: return Value::number(c.d);
    case Kind::String: return Value::text(textOf(c));
    }
    return Value();
}

std::int32_t numericOperand(const Cell& c, double& out)
{
    switch (c.k) {
    case Kind::Empty: out = 0; return 0;
    case Kind::Null: return err::InvalidUseOfNull;
    case Kind::Boolean:
    case Kind::Number: out = c.d; return 0;
    case Kind::String: {
        const auto r = parseNumericText(textOf(c));
        out = r.value;
        return r.error;
    }
    }
    return err::TypeMismatch;
}

std::int32_t applyUnary(Op op, const Cell& a, Cell& out)
{
    if (a.k == Kind::Null) {
        out = null();
        return 0;
    }
    if (op == Op::Not && a.k == Kind::Boolean) {
        out = boolean(a.d == 0);
        return 0;
    }
    double x = 0;
    if (const auto e = numericOperand(a, x))
        return e;
    double r = 0;
    if (op == Op::Neg) {
        r = -x;
    } else if (const auto e = num::bitNot(x, r)) {
        return e;
    }
    out = number(r);
    return 0;
}

std::int32_t applyBinary(Op op, const Cell& a, const Cell& b, Cell& out, TextPool& pool)
{
    switch (op) {
    case Op::Concat: {
        if (a.k == Kind::Null && b.k == Kind::Null) {
            out = null();
            return 0;
        }
        std::string left, right;
        return join(joinText(a, left), joinText(b, right), pool, out);
    }
    case Op::And:
    case Op::Or:
    case Op::Xor:
    case Op::Eqv:
    case Op::Imp: return logical(op, a, b, out);
    default: break;
    }

    if (a.k == Kind::Null || b.k == Kind::Null) {
        out = null();
        return 0;
    }
    switch (op) {
    case Op::Eq: out = boolean(compare(a, b) == 0); return 0;
    case Op::Ne: out = boolean(compare(a, b) != 0); return 0;
    case Op::Lt: out = boolean(compare(a, b) < 0); return 0;
    case Op::Gt: out = boolean(compare(a, b) > 0); return 0;
    case Op::Le: out = boolean(compare(a, b) <= 0); return 0;
    case Op::Ge: out = boolean(compare(a, b) >= 0); return 0;
    default: break;
    }

    if (op == Op::Add && isTextLike(a) && isTextLike(b) && (isText(a) || isText(b)))
        return join(textOf(a), textOf(b), pool, out);
    double x = 0, y = 0;
    if (const auto e = numericOperands(a, b, x, y))
        return e;
    double r = 0;
    std::int32_t e = 0;
    switch (op) {
    case Op::Add: e = num::add(x, y, r); break;
    case Op::Sub: e = num::sub(x, y, r); break;
    case Op::Mul: e = num::mul(x, y, r); break;
    case Op::Div: e = num::div(x, y, r); break;
    case Op::IntDiv: e = num::intDiv(x, y, r); break;
    case Op::Mod: e = num::mod(x, y, r); break;
    case Op::Pow: e = num::pow(x, y, r); break;
    default: e = err::TypeMismatch; break;
    }
    if (e)
        return e;
    out = number(r);
    return 0;
}

std::int32_t applyCall1(num::UnaryFn fn, const Cell& a, Cell& out)
{
    double x = 0, r = 0;
    if (const auto e = numericOperand(a, x))
        return e;
    if (const auto e = fn(x, r))
        return e;
    out = number(r);
    return 0;
}

std::int32_t applyRound2(const Cell& a, const Cell& places, Cell& out)
{
    double x = 0, p = 0, r = 0;
    if (const auto e = numericOperands(a, places, x, p))
        return e;
    if (const auto e = num::fnRound2(x, p, r))
        return e;
    out = number(r);
    return 0;
}

const Builtin* findBuiltin(std::string_view lowerCaseName)
{
    for (const auto& b : kBuiltins)
        if (b.name == lowerCaseName)
            return &b;
    return nullptr;
}

}  // namespace tessaly::engine
