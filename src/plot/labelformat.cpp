#include "plot/labelformat.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>

#include "common/leadingnumber.h"
#include "common/numbertext.h"

namespace tessaly::plot {
namespace {

// The text without blanks around it, its decimals after the point, and the
// exponent when it has one.
struct Written {
    int decimals = 0;
    bool point = false;
    long exponent = 0;
    bool hasExponent = false;
};

Written written(std::string_view text)
{
    text = common::trimBlanks(text);
    Written w;
    const auto e = text.find_first_of("eEdD");
    std::string_view mantissa = text.substr(0, e);
    if (const auto dot = mantissa.find('.'); dot != std::string_view::npos) {
        w.point = true;
        w.decimals = static_cast<int>(mantissa.size() - dot - 1);
    }
    if (e != std::string_view::npos && e + 1 < text.size()) {
        const std::string digits(text.substr(e + 1));
        char* end = nullptr;
        const long v = std::strtol(digits.c_str(), &end, 10);
        if (end != digits.c_str()) {
            w.hasExponent = true;
            w.exponent = v;
        }
    }
    return w;
}

}  // namespace

int labelDecimals(std::string_view divisionText)
{
    const Written w = written(divisionText);
    if (!w.hasExponent)
        return w.decimals;
    // Beyond ±64 the exponent decides nothing more (the count is at most 15), and
    // clamped, the difference cannot overflow: strtol gives up to ±2^63.
    const long d = static_cast<long>(w.decimals) - std::clamp(w.exponent, -64L, 64L);
    return d < 0 ? 0 : d > 15 ? 15 : static_cast<int>(d);
}

bool labelHasPoint(std::string_view divisionText)
{
    const Written w = written(divisionText);
    return w.point || (w.hasExponent && labelDecimals(divisionText) > 0);
}

std::string labelText(double value, int decimals, bool withPoint)
{
    const double scale = std::pow(10.0, decimals);
    const double scaled = std::floor(std::fabs(value) * scale + 0.5);  // half away from zero
    if (!std::isfinite(scaled))
        return {};
    char buffer[512];
    const auto r = std::to_chars(buffer, buffer + sizeof buffer, scaled / scale, std::chars_format::fixed, decimals);
    std::string digits(buffer, r.ptr);
    const auto point = digits.find('.');
    std::string whole = digits.substr(0, point);
    const std::string fraction = point == std::string::npos ? std::string() : digits.substr(point + 1);
    if (whole == "0")
        whole.clear();  // no leading zero
    std::string out = (value < 0 && scaled != 0) ? "-" : "";
    out += whole;
    if (withPoint || decimals > 0)
        out += '.';
    out += fraction;
    return out;
}

std::string printedNumber(float value)
{
    const std::string text = common::singleNumberText(value);
    return value < 0 ? text : " " + text;
}

}  // namespace tessaly::plot
