#include "common/numbertext.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

namespace tessaly::common {
namespace {

struct Style {
    int digits;            // significant digits kept
    int fixedExponentEnd;  // first decimal exponent written in exponent form
    bool leadingZero;      // "0.5" rather than ".5"
};

// The significant digits of |v| rounded to style.digits places (trailing zeros
// removed) and the decimal exponent of the first digit.
template <typename Float>
void decompose(Float v, int digits, std::string& mantissa, int& exponent)
{
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf - 1, std::fabs(v), std::chars_format::scientific, digits - 1);
    *res.ptr = '\0';
    const char* end = res.ptr;
    const char* e = buf;
    while (e < end && *e != 'e')
        ++e;
    mantissa.clear();
    for (const char* p = buf; p < e; ++p)
        if (*p != '.')
            mantissa.push_back(*p);
    while (mantissa.size() > 1 && mantissa.back() == '0')
        mantissa.pop_back();
    exponent = std::atoi(e + 1);
}

template <typename Float>
std::string format(Float v, const Style& style)
{
    if (std::isnan(v))
        return "nan";
    if (std::isinf(v))
        return v < 0 ? "-inf" : "inf";
    if (v == 0)
        return "0";

    std::string digits;
    int exponent = 0;
    decompose(v, style.digits, digits, exponent);

    std::string out;
    if (v < 0)
        out.push_back('-');
    if (exponent < -4 || exponent >= style.fixedExponentEnd) {
        out.push_back(digits[0]);
        if (digits.size() > 1) {
            out.push_back('.');
            out.append(digits, 1);
        }
        out.push_back('E');
        out.push_back(exponent < 0 ? '-' : '+');
        const int magnitude = std::abs(exponent);
        if (magnitude < 10)
            out.push_back('0');
        out += std::to_string(magnitude);
    } else if (exponent < 0) {
        if (style.leadingZero)
            out.push_back('0');
        out.push_back('.');
        out.append(static_cast<size_t>(-exponent - 1), '0');
        out += digits;
    } else {
        const size_t whole = static_cast<size_t>(exponent) + 1;
        if (digits.size() <= whole) {
            out += digits;
            out.append(whole - digits.size(), '0');
        } else {
            out.append(digits, 0, whole);
            out.push_back('.');
            out.append(digits, whole);
        }
    }
    return out;
}

constexpr Style kDouble{15, 15, true};
constexpr Style kShortDouble{15, 15, false};
constexpr Style kSingle{7, 7, true};
constexpr Style kShortSingle{7, 7, false};

}  // namespace

std::string numberText(double v) { return format(v, kDouble); }
std::string shortNumberText(double v) { return format(v, kShortDouble); }
std::string singleNumberText(float v) { return format(v, kSingle); }
std::string shortSingleNumberText(float v) { return format(v, kShortSingle); }

std::string roundTripText(double v)
{
    if (!std::isfinite(v))
        return format(v, kDouble);
    char buf[32];  // the longest shortest form, "-2.2250738585072014e-308", takes 24
    const auto res = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, res.ptr);
}

}  // namespace tessaly::common
