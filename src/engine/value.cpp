#include "engine/value.h"

#include "common/leadingnumber.h"
#include "engine/errors.h"

namespace tessaly::engine {
namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isBlank(char c) { return c == ' ' || c == '\t'; }

bool isRadixDigit(char c, int radix)
{
    if (radix == 8)
        return c >= '0' && c <= '7';
    return isDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

}  // namespace

NumberOutcome parseNumericText(std::string_view text)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);

    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty())
        return {0, err::TypeMismatch};

    std::optional<double> value;
    if (text.size() >= 2 && text[0] == '&') {
        const char r = text[1];
        const int radix = (r == 'H' || r == 'h') ? 16 : (r == 'O' || r == 'o') ? 8 : 0;
        if (radix == 0)
            return {0, err::TypeMismatch};
        std::string_view digits = text.substr(2);
        const bool keep32 = !digits.empty() && digits.back() == '&';
        if (keep32)
            digits.remove_suffix(1);
        for (char c : digits)
            if (!isRadixDigit(c, radix))
                return {0, err::TypeMismatch};
        if (digits.empty())
            return {0, err::TypeMismatch};
        value = common::parseRadixDigits(digits, radix, keep32);
        if (!value)
            return {0, err::Overflow};
    } else {
        std::string number;
        size_t i = 0;
        bool anyDigit = false;
        for (; i < text.size() && isDigit(text[i]); ++i, anyDigit = true)
            number.push_back(text[i]);
        if (i < text.size() && text[i] == '.') {
            number.push_back('.');
            for (++i; i < text.size() && isDigit(text[i]); ++i, anyDigit = true)
                number.push_back(text[i]);
        }
        if (!anyDigit)
            return {0, err::TypeMismatch};
        if (i < text.size() && (text[i] == 'E' || text[i] == 'e' || text[i] == 'D' || text[i] == 'd')) {
            number.push_back('e');
            ++i;
            if (i < text.size() && (text[i] == '+' || text[i] == '-'))
                number.push_back(text[i++]);
            const size_t start = i;
            for (; i < text.size() && isDigit(text[i]); ++i)
                number.push_back(text[i]);
            if (i == start)
                return {0, err::TypeMismatch};
        }
        if (i != text.size())
            return {0, err::TypeMismatch};
        value = common::parseDecimal(number);
        if (!value)
            return {0, err::Overflow};
    }
    return {negative ? -*value : *value, 0};
}

NumberOutcome toNumber(const Value& v)
{
    switch (v.kind()) {
    case Kind::Empty: return {0, 0};
    case Kind::Null: return {0, err::InvalidUseOfNull};
    case Kind::Boolean:
    case Kind::Number: return {v.numeric(), 0};
    case Kind::String: return parseNumericText(v.str());
    }
    return {0, err::TypeMismatch};
}

}  // namespace tessaly::engine
