#include "common/leadingnumber.h"

#include <charconv>
#include <cstdint>
#include <system_error>

namespace tessaly::common {
namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

int digitValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return 99;
}

}  // namespace

std::optional<double> parseDecimal(std::string_view text)
{
    if (text.empty() || !(isDigit(text[0]) || text[0] == '.'))
        return std::nullopt;
    const char* const end = text.data() + text.size();
    double value = 0;
    const auto res = std::from_chars(text.data(), end, value, std::chars_format::general);
    if (res.ptr != end)
        return std::nullopt;
    if (res.ec == std::errc())
        return value;
    if (res.ec != std::errc::result_out_of_range)
        return std::nullopt;

    // Out of range: overflow or underflow, told apart by the decimal exponent of the
    // first nonzero digit plus the written exponent (the two limits are far apart).
    long long wholeDigits = 0;
    long long digitIndex = 0;
    long long firstNonZero = -1;
    bool seenPoint = false;
    size_t i = 0;
    for (; i < text.size() && (isDigit(text[i]) || text[i] == '.'); ++i) {
        if (text[i] == '.') {
            seenPoint = true;
            continue;
        }
        if (firstNonZero < 0 && text[i] != '0')
            firstNonZero = digitIndex;
        ++digitIndex;
        if (!seenPoint)
            ++wholeDigits;
    }
    if (firstNonZero < 0)
        return 0.0;
    long long exponent = 0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        bool negative = false;
        if (i < text.size() && (text[i] == '+' || text[i] == '-'))
            negative = text[i++] == '-';
        for (; i < text.size() && isDigit(text[i]); ++i)
            if (exponent < 100000000)
                exponent = exponent * 10 + (text[i] - '0');
        if (negative)
            exponent = -exponent;
    }
    if (wholeDigits - 1 - firstNonZero + exponent > 0)
        return std::nullopt;
    return 0.0;
}

std::optional<double> parseRadixDigits(std::string_view digits, int radix, bool keep32)
{
    if (digits.empty())
        return std::nullopt;
    std::uint64_t value = 0;
    for (char c : digits) {
        value = value * static_cast<unsigned>(radix) + static_cast<unsigned>(digitValue(c));
        if (value > 0xFFFFFFFFull)
            return std::nullopt;
    }
    if (!keep32 && value <= 0xFFFF)
        return static_cast<double>(static_cast<std::int16_t>(static_cast<std::uint16_t>(value)));
    return static_cast<double>(static_cast<std::int32_t>(static_cast<std::uint32_t>(value)));
}

std::optional<double> readLeadingNumber(std::string_view text)
{
    std::string s;
    s.reserve(text.size());
    for (char c : text)
        if (c != ' ' && c != '\t' && c != '\n')
            s.push_back(c);

    size_t i = 0;
    if (s.size() >= 2 && s[0] == '&' && (s[1] == 'H' || s[1] == 'h' || s[1] == 'O' || s[1] == 'o')) {
        const int radix = (s[1] == 'H' || s[1] == 'h') ? 16 : 8;
        i = 2;
        const size_t start = i;
        while (i < s.size() && digitValue(s[i]) < radix)
            ++i;
        if (i == start)
            return 0.0;
        const bool keep32 = i < s.size() && s[i] == '&';
        return parseRadixDigits(std::string_view(s).substr(start, i - start), radix, keep32);
    }

    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        negative = s[i++] == '-';
    std::string number;
    bool anyDigit = false;
    for (; i < s.size() && isDigit(s[i]); ++i, anyDigit = true)
        number.push_back(s[i]);
    if (i < s.size() && s[i] == '.') {
        number.push_back('.');
        for (++i; i < s.size() && isDigit(s[i]); ++i, anyDigit = true)
            number.push_back(s[i]);
    }
    if (!anyDigit)
        return 0.0;
    if (i < s.size() && (s[i] == 'E' || s[i] == 'e' || s[i] == 'D' || s[i] == 'd')) {
        size_t j = i + 1;
        std::string exponent = "e";
        if (j < s.size() && (s[j] == '+' || s[j] == '-'))
            exponent.push_back(s[j++]);
        const size_t digitsStart = j;
        for (; j < s.size() && isDigit(s[j]); ++j)
            exponent.push_back(s[j]);
        if (j > digitsStart)
            number += exponent;
    }
    if (number == ".")
        return 0.0;
    const auto value = parseDecimal(number);
    if (!value)
        return std::nullopt;
    return (negative && *value != 0) ? -*value : *value;
}

}  // namespace tessaly::common
