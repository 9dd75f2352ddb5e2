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

std::size_t scanDecimal(std::string_view text, std::string& out)
{
    out.clear();
    std::size_t i = 0;
    bool anyDigit = false;
    for (; i < text.size() && isDigit(text[i]); ++i, anyDigit = true)
        out.push_back(text[i]);
    if (i < text.size() && text[i] == '.') {
        out.push_back('.');
        for (++i; i < text.size() && isDigit(text[i]); ++i, anyDigit = true)
            out.push_back(text[i]);
    }
    if (!anyDigit) {
        out.clear();
        return 0;
    }
    if (i < text.size() && (text[i] == 'E' || text[i] == 'e' || text[i] == 'D' || text[i] == 'd')) {
        std::size_t j = i + 1;
        std::string exponent = "e";
        if (j < text.size() && (text[j] == '+' || text[j] == '-'))
            exponent.push_back(text[j++]);
        const std::size_t digits = j;
        for (; j < text.size() && isDigit(text[j]); ++j)
            exponent.push_back(text[j]);
        if (j > digits) {
            out += exponent;
            i = j;
        }
    }
    return i;
}

std::string_view trimBlanks(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

bool takeSign(std::string_view& text)
{
    if (text.empty() || (text.front() != '+' && text.front() != '-'))
        return false;
    const bool negative = text.front() == '-';
    text.remove_prefix(1);
    return negative;
}

std::optional<double> parseWholeDecimal(std::string_view text, bool& overflow)
{
    overflow = false;
    std::string number;
    if (text.empty() || scanDecimal(text, number) != text.size())
        return std::nullopt;
    const auto v = parseDecimal(number);
    overflow = !v;
    return v;
}

std::optional<RadixNumber> scanRadix(std::string_view text)
{
    if (text.size() < 2 || text[0] != '&')
        return std::nullopt;
    const char r = text[1];
    const int radix = (r == 'H' || r == 'h') ? 16 : (r == 'O' || r == 'o') ? 8 : 0;
    if (radix == 0)
        return std::nullopt;
    std::size_t i = 2;
    while (i < text.size() && digitValue(text[i]) < radix)
        ++i;
    const bool keep32 = i < text.size() && text[i] == '&';
    return RadixNumber{radix, text.substr(2, i - 2), keep32, keep32 ? i + 1 : i};
}

namespace {

// The leading number of text as readLeadingNumber reads it; found tells whether
// the text begins with one at all.
std::optional<double> leadingNumber(std::string_view text, bool& found)
{
    found = false;
    std::string s;
    s.reserve(text.size());
    for (char c : text)
        if (c != ' ' && c != '\t' && c != '\n')
            s.push_back(c);

    if (const auto radix = scanRadix(s)) {
        if (radix->digits.empty())
            return 0.0;
        found = true;
        return parseRadixDigits(radix->digits, radix->radix, radix->keep32);
    }

    std::string_view rest(s);
    bool negative = false;
    if (!rest.empty() && (rest[0] == '+' || rest[0] == '-')) {
        negative = rest[0] == '-';
        rest.remove_prefix(1);
    }
    std::string number;
    if (scanDecimal(rest, number) == 0)
        return 0.0;
    found = true;
    const auto value = parseDecimal(number);
    if (!value)
        return std::nullopt;
    return (negative && *value != 0) ? -*value : *value;
}

}  // namespace

std::optional<double> readLeadingNumber(std::string_view text)
{
    bool found = false;
    return leadingNumber(text, found);
}

bool beginsWithNumber(std::string_view text)
{
    bool found = false;
    leadingNumber(text, found);
    return found;
}

}  // namespace tessaly::common
