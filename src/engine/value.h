#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tessaly::engine {

// The longest text a value may hold, in characters; making a longer one is error 14.
constexpr std::size_t kMaxTextLength = 65535;

// The characters of a text: a UTF-8 sequence (a lead byte and the continuation
// bytes it announces, as many of them as follow) counts as one, and so does every
// byte that begins none, so a text never takes more than four bytes a character.
// Joined to another text, a text ending in a sequence cut short may take up to
// three continuation bytes from it: the joined text then has up to three
// characters fewer than the two apart.
std::size_t textLength(std::string_view text);

// The kinds of value an expression can produce. Truth values are -1 (True) and 0
// (False); a name that was never assigned is Empty (0 in arithmetic, "" in texts).
// The kinds whose value is a plain number come first.
enum class Kind : std::uint8_t { Empty, Boolean, Number, Null, String };

// Empty, a truth value or a Number.
inline bool isNumericKind(Kind k) { return k <= Kind::Number; }

class Value {
public:
    Value() = default;
    static Value number(double v) { return Value(Kind::Number, v, {}); }
    static Value boolean(bool b) { return Value(Kind::Boolean, b ? -1.0 : 0.0, {}); }
    static Value null() { return Value(Kind::Null, 0, {}); }
    static Value text(std::string s) { return Value(Kind::String, 0, std::move(s)); }

    Kind kind() const { return m_kind; }
    // The numeric value of a Number or Boolean (-1/0); 0 for the other kinds.
    double numeric() const { return m_number; }
    const std::string& str() const { return m_text; }

    bool operator==(const Value&) const = default;

private:
    Value(Kind k, double v, std::string s) : m_kind(k), m_number(v), m_text(std::move(s)) {}
    Kind m_kind = Kind::Empty;
    double m_number = 0;
    std::string m_text;
};

// A conversion to a double, or the error number that prevents it.
struct NumberOutcome {
    double value = 0;
    std::int32_t error = 0;
};

// The value as a double, as a caller of the engine converts a result: a truth value
// gives -1 or 0, Empty gives 0, a text must read wholly as a number (13 otherwise,
// 6 beyond the double range), Null is 94.
NumberOutcome toNumber(const Value& v);

// A text read wholly as a number: blanks around it, an optional sign, then decimal
// digits with "." and an "E"/"D" exponent, or "&H"/"&O" digits. 13 when the text
// is not a number, 6 when it lies beyond the double range.
NumberOutcome parseNumericText(std::string_view text);

}  // namespace tessaly::engine
