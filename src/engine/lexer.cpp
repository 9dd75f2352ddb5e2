#include "engine/lexer.h"

#include <array>

#include "common/leadingnumber.h"
#include "engine/errors.h"

namespace tessaly::engine {
namespace {

constexpr std::size_t kMaxIdentifier = 255;

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool isWordChar(char c) { return isLetter(c) || isDigit(c) || c == '_'; }
bool isHexDigit(char c) { return isDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

bool equalsIgnoreCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z')
            x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z')
            y = static_cast<char>(y - 'A' + 'a');
        if (x != y)
            return false;
    }
    return true;
}

struct Keyword {
    std::string_view word;
    Tok kind;
};

constexpr std::array kKeywords{
    Keyword{"mod", Tok::Mod},       Keyword{"not", Tok::Not},     Keyword{"and", Tok::And},
    Keyword{"or", Tok::Or},         Keyword{"xor", Tok::Xor},     Keyword{"eqv", Tok::Eqv},
    Keyword{"imp", Tok::Imp},       Keyword{"true", Tok::True},   Keyword{"false", Tok::False},
    Keyword{"empty", Tok::EmptyKw}, Keyword{"null", Tok::NullKw},
};

// Statement words of the Basic family; they cannot name a value.
constexpr std::string_view kReserved[] = {
    "call",   "case",   "class",    "const", "dim",    "do",       "each",    "else",   "elseif",    "end",   "erase",
    "exit",   "for",    "function", "get",   "goto",   "if",       "in",      "is",     "let",       "loop",  "me",
    "new",    "next",   "nothing",  "on",    "option", "preserve", "private", "public", "randomize", "redim", "rem",
    "resume", "select", "set",      "stop",  "sub",    "then",     "to",      "until",  "wend",      "while", "with"};

}  // namespace

int columnOf(std::string_view text, std::size_t offset)
{
    int column = 1;
    for (std::size_t i = 0; i < offset && i < text.size(); ++i)
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80)
            ++column;
    return column;
}

Token Lexer::next()
{
    while (m_pos < m_text.size() && (m_text[m_pos] == ' ' || m_text[m_pos] == '\t'))
        ++m_pos;
    const std::size_t start = m_pos;
    if (m_pos >= m_text.size())
        return Token{Tok::End, start, 0, {}};

    const char c = m_text[m_pos];
    auto single = [&](Tok kind) {
        ++m_pos;
        return Token{kind, start, 0, {}};
    };
    auto peek = [&](std::size_t ahead) { return m_pos + ahead < m_text.size() ? m_text[m_pos + ahead] : '\0'; };

    if (isDigit(c) || (c == '.' && isDigit(peek(1))))
        return number(start);
    if (isLetter(c))
        return word(start);

    switch (c) {
    case '+': return single(Tok::Plus);
    case '-': return single(Tok::Minus);
    case '*': return single(Tok::Star);
    case '/': return single(Tok::Slash);
    case '\\': return single(Tok::Backslash);
    case '^': return single(Tok::Caret);
    case '(': return single(Tok::LeftParen);
    case ')': return single(Tok::RightParen);
    case ',': return single(Tok::Comma);
    case '.': return single(Tok::Dot);
    case ':':
    case '\r':
    case '\n': return single(Tok::Separator);
    case '"': return quoted(start);
    case '\'':
        m_pos = m_text.size();  // a comment runs to the end of the text
        return Token{Tok::End, m_pos, 0, {}};
    case '&':
        if (peek(1) == 'H' || peek(1) == 'h' || peek(1) == 'O' || peek(1) == 'o')
            return radixNumber(start);
        return single(Tok::Ampersand);
    case '=':
        m_pos += 1;
        if (peek(0) == '<') {
            ++m_pos;
            return Token{Tok::LessEqual, start, 0, {}};
        }
        if (peek(0) == '>') {
            ++m_pos;
            return Token{Tok::GreaterEqual, start, 0, {}};
        }
        return Token{Tok::Equal, start, 0, {}};
    case '<':
        m_pos += 1;
        if (peek(0) == '=') {
            ++m_pos;
            return Token{Tok::LessEqual, start, 0, {}};
        }
        if (peek(0) == '>') {
            ++m_pos;
            return Token{Tok::NotEqual, start, 0, {}};
        }
        return Token{Tok::Less, start, 0, {}};
    case '>':
        m_pos += 1;
        if (peek(0) == '=') {
            ++m_pos;
            return Token{Tok::GreaterEqual, start, 0, {}};
        }
        if (peek(0) == '<') {
            ++m_pos;
            return Token{Tok::NotEqual, start, 0, {}};
        }
        return Token{Tok::Greater, start, 0, {}};
    default: throw CompileFailure{err::InvalidCharacter, start};
    }
}

Token Lexer::number(std::size_t start)
{
    std::size_t i = m_pos;
    while (i < m_text.size() && isDigit(m_text[i]))
        ++i;
    if (i < m_text.size() && m_text[i] == '.') {
        ++i;
        while (i < m_text.size() && isDigit(m_text[i]))
            ++i;
    }
    if (i < m_text.size() && (m_text[i] == 'e' || m_text[i] == 'E')) {
        ++i;
        if (i < m_text.size() && (m_text[i] == '+' || m_text[i] == '-'))
            ++i;
        const std::size_t digits = i;
        while (i < m_text.size() && isDigit(m_text[i]))
            ++i;
        if (i == digits)
            throw CompileFailure{err::InvalidNumber, start};
    }
    const auto value = common::parseDecimal(m_text.substr(start, i - start));
    if (!value)
        throw CompileFailure{err::InvalidNumber, start};
    m_pos = i;
    return Token{Tok::Number, start, *value, {}};
}

Token Lexer::radixNumber(std::size_t start)
{
    const bool hex = m_text[m_pos + 1] == 'H' || m_text[m_pos + 1] == 'h';
    std::size_t i = m_pos + 2;
    while (i < m_text.size() && (hex ? isHexDigit(m_text[i]) : (m_text[i] >= '0' && m_text[i] <= '7')))
        ++i;
    const std::string_view digits = m_text.substr(m_pos + 2, i - m_pos - 2);
    const bool keep32 = i < m_text.size() && m_text[i] == '&';
    const auto value = common::parseRadixDigits(digits, hex ? 16 : 8, keep32);
    if (!value)
        throw CompileFailure{err::InvalidNumber, start};
    m_pos = keep32 ? i + 1 : i;
    return Token{Tok::Number, start, *value, {}};
}

Token Lexer::word(std::size_t start)
{
    std::size_t i = m_pos;
    while (i < m_text.size() && isWordChar(m_text[i]))
        ++i;
    const std::string_view w = m_text.substr(start, i - start);
    if (w.size() > kMaxIdentifier)
        throw CompileFailure{err::IdentifierTooLong, start};
    m_pos = i;
    for (const auto& k : kKeywords)
        if (equalsIgnoreCase(w, k.word))
            return Token{k.kind, start, 0, w};
    for (const auto r : kReserved)
        if (equalsIgnoreCase(w, r))
            return Token{Tok::Reserved, start, 0, w};
    return Token{Tok::Identifier, start, 0, w};
}

Token Lexer::quoted(std::size_t start)
{
    std::size_t i = m_pos + 1;
    while (true) {
        if (i >= m_text.size() || m_text[i] == '\n' || m_text[i] == '\r')
            throw CompileFailure{err::UnterminatedString, start};
        if (m_text[i] == '"') {
            if (i + 1 < m_text.size() && m_text[i + 1] == '"') {
                i += 2;
                continue;
            }
            break;
        }
        ++i;
    }
    m_pos = i + 1;
    return Token{Tok::String, start, 0, m_text.substr(start + 1, i - start - 1)};
}

}  // namespace tessaly::engine
