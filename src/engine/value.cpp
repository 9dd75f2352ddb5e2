#include "engine/value.h"

#include "common/leadingnumber.h"
#include "engine/errors.h"

namespace tessaly::engine {
namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

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
    if (const auto radix = common::scanRadix(text)) {
        if (radix->length != text.size() || radix->digits.empty())
            return {0, err::TypeMismatch};
        value = common::parseRadixDigits(radix->digits, radix->radix, radix->keep32);
    } else {
        std::string number;
        if (common::scanDecimal(text, number) != text.size())
            return {0, err::TypeMismatch};
        value = common::parseDecimal(number);
    }
    if (!value)
        return {0, err::Overflow};
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
