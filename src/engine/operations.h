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

// The bytes that the texts made during one evaluation may take together; making
// one more is error 7. Generous for any study (sixteen texts of the longest
// length), it bounds the memory and time of a chain of joins such as
// "1" & "1" & ..., whose every step makes a longer text.
constexpr std::size_t kMaxEvaluationTextBytes = 16 * kMaxTextLength;

// Texts made during one evaluation, and the bytes they took; cleared before the
// next one.
class TextPool {
public:
    // Keeps a text made by an operation. 14 when it is longer than kMaxTextLength
    // characters, 7 when it would take the pool beyond kMaxEvaluationTextBytes;
    // the text is then dropped.
    std::int32_t add(std::string text, const std::string*& kept);

    // Counts bytes of texts made beforehand (see Constant) as made now: 7 when
    // they take the pool beyond kMaxEvaluationTextBytes.
    std::int32_t charge(std::size_t bytes);

    std::size_t used() const { return m_used; }
    void clear()
    {
        m_texts.clear();
        m_used = 0;
    }

private:
    std::deque<std::string> m_texts;
    std::size_t m_used = 0;
};

// A constant of a compiled program. One that the compiler computed from other
// constants keeps the bytes of the texts made on the way (made), and each run
// counts them as if it had made those texts itself, so a run fails with 7 where
// the same run without the computation in advance would.
struct Constant {
    Value value;
    std::size_t made = 0;
};

Cell cellOf(const Value& v);
Value valueOf(const Cell& c);

// The number an operand stands for: Empty is 0, a text must read wholly as a
// number (13, or 6 beyond range), Null is 94.
std::int32_t numericOperand(const Cell& c, double& out);

// The language's operators on values of any kind (Null propagates; "+" joins two
// texts; comparisons of texts are by character codes; a number is less than a text).
// An operator that makes a text keeps it in the pool and fails as TextPool::add does.
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
