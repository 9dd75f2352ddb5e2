#pragma once

#include <cstdint>
#include <string_view>

namespace tessaly::engine {

// clang-format off
enum class Tok : std::uint8_t {
    End,
    Number,
    String,
    Identifier,
    Plus, Minus, Star, Slash, Backslash, Caret, Ampersand,
    Equal, NotEqual, Less, Greater, LessEqual, GreaterEqual,
    LeftParen, RightParen, Comma, Dot,
    Separator,  // ":" or a line break
    Mod, Not, And, Or, Xor, Eqv, Imp,
    True, False, EmptyKw, NullKw,
    Reserved,   // a word the language keeps for itself (If, Dim, ...)
};
// clang-format on

struct Token {
    Tok kind = Tok::End;
    std::size_t offset = 0;  // byte offset in the text
    double number = 0;       // Number
    std::string_view text;   // Identifier: the name; String: the raw inside of the quotes
};

// Thrown inside the compiler only; never leaves the engine.
struct CompileFailure {
    std::int32_t number;
    std::size_t offset;
};

// Splits a text into tokens on demand. Failures (invalid character, invalid
// number, unterminated text, identifier too long) are thrown as CompileFailure.
class Lexer {
public:
    explicit Lexer(std::string_view text) : m_text(text) {}
    Token next();
    std::string_view text() const { return m_text; }

private:
    Token number(std::size_t start);
    Token radixNumber(std::size_t start);
    Token word(std::size_t start);
    Token quoted(std::size_t start);

    std::string_view m_text;
    std::size_t m_pos = 0;
};

// The 1-based column of a byte offset, counting characters (UTF-8 sequences) of text.
int columnOf(std::string_view text, std::size_t offset);

}  // namespace tessaly::engine
