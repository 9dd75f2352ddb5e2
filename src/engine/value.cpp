#include "engine/value.h"

#include <algorithm>
#include <cstring>

#include "common/leadingnumber.h"
#include "engine/errors.h"

namespace tessaly::engine {

namespace {

// The continuation bytes a lead byte announces: 110xxxxx one, 1110xxxx two,
// 11110xxx three, any other byte none.
std::size_t announcedContinuations(unsigned char lead)
{
    if (lead >= 0xF8)
        return 0;
    if (lead >= 0xF0)
        return 3;
    if (lead >= 0xE0)
        return 2;
    return lead >= 0xC0 ? 1 : 0;
}

bool isContinuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

bool isAscii(std::string_view text)
{
    std::size_t i = 0;
    for (; i + 8 <= text.size(); i += 8) {
        std::uint64_t word = 0;
        std::memcpy(&word, text.data() + i, sizeof word);
        if (word & 0x8080808080808080ull)
            return false;
    }
    for (; i < text.size(); ++i)
        if (static_cast<unsigned char>(text[i]) >= 0x80)
            return false;
    return true;
}

}  // namespace

std::size_t textLength(std::string_view text)
{
    if (isAscii(text))
        return text.size();  // the usual case, eight bytes at a time
    std::size_t count = 0;
    for (std::size_t i = 0; i < text.size(); ++count) {
        const std::size_t end =
            std::min(text.size(), i + 1 + announcedContinuations(static_cast<unsigned char>(text[i])));
        for (++i; i < end && isContinuation(text[i]); ++i) {
        }
    }
    return count;
}

NumberOutcome parseNumericText(std::string_view text)
{
    text = common::trimBlanks(text);
    const bool negative = common::takeSign(text);
    std::optional<double> value;
    if (const auto radix = common::scanRadix(text)) {
        if (radix->length != text.size() || radix->digits.empty())
            return {0, err::TypeMismatch};
        value = common::parseRadixDigits(radix->digits, radix->radix, radix->keep32);
        if (!value)
            return {0, err::Overflow};
    } else {
        bool overflow = false;
        value = common::parseWholeDecimal(text, overflow);
        if (!value)
            return {0, overflow ? err::Overflow : err::TypeMismatch};
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
