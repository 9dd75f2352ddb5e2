#include "numeric/trust.h"

#include <cmath>

#include "common/numbertext.h"

namespace tessaly::numeric {

std::string_view warningKindName(Warning::Kind kind)
{
    switch (kind) {
    case Warning::Kind::TouchingRoot: return "touching_root";
    case Warning::Kind::ZeroRun: return "zero_run";
    case Warning::Kind::UnsettledSignChange: return "unsettled_sign_change";
    case Warning::Kind::IntegralUnreliable: return "integral_unreliable";
    case Warning::Kind::NoSignificantDigit: return "no_significant_digit";
    }
    return {};
}

std::optional<int> significantDigits(double value, double errorEstimate)
{
    if (!std::isfinite(value) || !std::isfinite(errorEstimate) || !(errorEstimate < std::fabs(value)))
        return std::nullopt;
    if (errorEstimate <= 0)
        return 15;
    const double digits = std::floor(-std::log10(errorEstimate / std::fabs(value)));
    return digits >= 15 ? 15 : static_cast<int>(digits);
}

std::string trustedText(double value, std::optional<int> digits)
{
    if (!digits)
        return "?";
    if (*digits <= 0 || value == 0)
        return common::numberText(value);
    // Rounded to the trusted digits through the number text itself, so the
    // text has no digit that the estimate does not back.
    const double scale = std::pow(10.0, *digits - 1 - std::floor(std::log10(std::fabs(value))));
    const double rounded = std::round(value * scale) / scale;
    return std::isfinite(rounded) ? common::numberText(rounded) : common::numberText(value);
}

namespace {

std::string plusMinus(double value, double bound)
{
    return common::numberText(value) + " \u00b1 " + common::numberText(bound);
}

}  // namespace

std::string boundText(const RootBound& b)
{
    if (!b.certified)
        return common::numberText(b.x)
               + ": not certified (no sign change found near it), |f(x)| = " + common::numberText(b.residual);
    if (b.lo == b.hi)
        return common::numberText(b.x) + ": f is exactly 0 there";
    return plusMinus(b.x, std::fmax(b.x - b.lo, b.hi - b.x)) + ", certified by a sign change on ["
           + common::numberText(b.lo) + ", " + common::numberText(b.hi)
           + "], |f(x)| = " + common::numberText(b.residual);
}

std::string boundText(const ExtremumBound& b)
{
    std::string s = plusMinus(b.x, b.e);
    s += b.certified ? ", certified: f " : ", not certified: f does not ";
    s += b.maximum ? "falls" : "rises";
    s += " away from it beyond its noise; height " + plusMinus(b.y, b.heightUncertainty);
    if (b.possibleRoot)
        s += "; may be a root";
    return s;
}

std::string boundText(const IntegralBound& b)
{
    return plusMinus(b.value, b.errorEstimate) + (b.converged ? ", estimated" : ", estimated (no convergence)");
}

std::string boundText(const ValueBound& b)
{
    std::string s = plusMinus(b.value, b.errorEstimate);
    s += b.significantDigits ? ", " + std::to_string(*b.significantDigits) + " significant digits"
                             : ", no significant digit";
    return s;
}

}  // namespace tessaly::numeric
