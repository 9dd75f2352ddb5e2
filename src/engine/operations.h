#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <string_view>

#include "engine/arithmetic.h"
#include "engine/opcode.h"
#include "engine/value.h"

namespace tessaly::engine {

// A value on the evaluation stack: the numeric value of a Number or Boolean, or
// a text owned elsewhere (a constant, a variable or the evaluation's text pool).
struct Cell {
    double d = 0;
    const std::string* s = nullptr;
    Kind k = Kind::Empty;
};

// Texts made during one evaluation; cleared before the next one.
class TextPool {
public:
    const std::string* add(std::string s) { return &m_texts.emplace_back(std::move(s)); }
    void clear() { m_texts.clear(); }

private:
    std::deque<std::string> m_texts;
};

Cell cellOf(const Value& v);
Value valueOf(const Cell& c);

// The number an operand stands for: Empty is 0, a text must read wholly as a
// number (13, or 6 beyond range), Null is 94.
std::int32_t numericOperand(const Cell& c, double& out);

// The language's operators on values of any kind (Null propagates; "+" joins two
// texts; comparisons of texts are by character codes; a number is less than a text).
std::int32_t applyUnary(Op op, const Cell& a, Cell& out);
std::int32_t applyBinary(Op op, const Cell& a, const Cell& b, Cell& out, TextPool& pool);
std::int32_t applyCall1(num::UnaryFn fn, const Cell& a, Cell& out);
std::int32_t applyRound2(const Cell& a, const Cell& places, Cell& out);

// The built-in functions: Sin Cos Tan Atn Exp Log Sqr Abs Int Fix Sgn CInt CLng
// CDbl Round. Round takes one or two arguments, the others exactly one.
struct Builtin {
    std::string_view name;  // lower case
    num::UnaryFn fn;
    int minArgs;
    int maxArgs;
};
const Builtin* findBuiltin(std::string_view lowerCaseName);

}  // namespace tessaly::engine
