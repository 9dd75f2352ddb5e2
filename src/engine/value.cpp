#include "engine/value.h"

#include "common/leadingnumber.h"
#include "engine/errors.h"

namespace tessaly::engine {

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
