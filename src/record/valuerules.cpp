#include "record/valuerules.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "common/leadingnumber.h"
#include "common/numbertext.h"
#include "common/rounding.h"

namespace tessaly::record {

bool equationAccepted(std::string_view text)
{
    // Blanks and tabs alone read as an empty expression, which is 0 everywhere.
    return text.find_first_not_of(" \t") != std::string_view::npos;
}
bool errorBoundAccepted(double value) { return value > 0; }
bool divisionAccepted(double value) { return value != 0; }
bool plotStepAccepted(double value) { return value == std::floor(value) && value >= 1 && value <= 80; }
bool windowPairAccepted(double lower, double upper) { return lower < upper; }
bool persistAccepted(double value) { return value == 0 || value == 1; }
bool derivativeOrderAccepted(double value) { return value == std::floor(value) && value >= 0 && value <= 33; }

double fieldValue(std::string_view text)
{
    if (const auto v = common::readLeadingNumber(text))
        return *v;
    for (char c : text) {
        if (c == '-')
            return -INFINITY;
        if (c != ' ' && c != '\t' && c != '\n' && c != '+')
            break;
    }
    return INFINITY;
}

std::int32_t subintervalsFor(double value)
{
    const double rounded = common::roundHalfEven(value);
    if (!(rounded >= 2))
        return 2;
    if (rounded >= kMaxSubintervals)
        return kMaxSubintervals;
    std::int32_t power = 2;
    while (power < rounded)
        power *= 2;
    return power;
}

namespace {

std::string whole(std::int64_t v) { return std::to_string(v); }

Validation refusedUnless(bool accepted, std::string_view text) { return {accepted, std::string(text)}; }

// The smallest k with 2^k not below v (v at least 2 and at most 2^30).
int powerExponent(std::int32_t v)
{
    int k = 1;
    while ((std::int64_t{1} << k) < v)
        ++k;
    return k;
}

}  // namespace

Validation validateEquation(std::string_view text) { return refusedUnless(equationAccepted(text), text); }
Validation validateErrorBound(std::string_view text)
{
    return refusedUnless(errorBoundAccepted(fieldValue(text)), text);
}
Validation validateDivision(std::string_view text) { return refusedUnless(divisionAccepted(fieldValue(text)), text); }
Validation validatePlotStep(std::string_view text) { return refusedUnless(plotStepAccepted(fieldValue(text)), text); }

Validation validateSubintervals(std::string_view text)
{
    const double rounded = common::roundHalfEven(fieldValue(text));
    if (!(rounded >= 2))
        return {true, "2"};
    if (rounded > kMaxSubintervals)
        return {true, whole(kMaxSubintervals)};
    return {true, whole(static_cast<std::int64_t>(rounded))};
}

Validation validateMaxIterations(std::string_view text, std::string_view subintervalsText)
{
    double value = fieldValue(text);
    const double s = fieldValue(subintervalsText);
    if (s >= 2) {
        // log2(s) - 1, written as number text and read back as the field would
        const double needed = std::log2(std::min(s, 1e300)) - 1;
        if (needed > value)
            value = common::readLeadingNumber(common::numberText(needed)).value_or(needed);
    }
    const double rounded = common::roundHalfEven(value);
    if (!(rounded >= 1))
        return {true, "1"};
    if (rounded > INT32_MAX)
        return {true, whole(INT32_MAX)};
    return {true, whole(static_cast<std::int64_t>(rounded))};
}

SubintervalsLeft leaveSubintervals(std::string_view text, std::string_view maxIterationsText)
{
    const std::int32_t count = subintervalsFor(fieldValue(text));
    SubintervalsLeft out;
    out.subintervals = whole(count);
    const int k = powerExponent(count);
    if (k - 1 > fieldValue(maxIterationsText))
        out.maxIterations = whole(k - 1);
    return out;
}

bool pairInOrder(std::string_view lowerText, std::string_view upperText)
{
    return fieldValue(upperText) > fieldValue(lowerText);
}

}  // namespace tessaly::record
