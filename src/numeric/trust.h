#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tessaly::numeric {

// How far a result may be from the truth, told beside the result. Every bound
// here is computed from what the command already had, or from a few more values
// of f taken after it ended: the described rows, labels and values never change.

// Something a command could not settle, with where it happened.
struct Warning {
    enum class Kind { TouchingRoot, ZeroRun, UnsettledSignChange, IntegralUnreliable, NoSignificantDigit };
    Kind kind = Kind::TouchingRoot;
    std::string text;
    std::optional<double> x;     // a place (a touching root, a value)
    std::optional<double> from;  // or an interval (a zero run, a sign change)
    std::optional<double> to;
    bool operator==(const Warning&) const = default;
};

// The name of a warning's kind in machine-readable output: "touching_root", ...
std::string_view warningKindName(Warning::Kind kind);

// A root: an interval [lo, hi] that holds it, certified when f(lo) and f(hi)
// differ in sign (lo = hi = x when f(x) is exactly 0), and the residual |f(x)|.
struct RootBound {
    double x = 0;
    double lo = 0;
    double hi = 0;
    bool certified = false;
    double residual = 0;
};

// An extremum: its position within ± e, certified when f rises (falls, for a
// maximum) outward at e/2 and at e by more than f's evaluation noise; the
// height's uncertainty ½|f''|e²; and whether it may be a root (the height
// reaches 0 within its uncertainty, or f changes sign within a grid step).
struct ExtremumBound {
    bool maximum = false;
    double x = 0;
    double y = 0;
    double e = 0;
    bool certified = false;
    double heightUncertainty = 0;
    bool possibleRoot = false;
};

// The integral's estimate and how far it may be from the truth.
struct IntegralBound {
    double value = 0;
    double errorEstimate = 0;
    bool converged = false;
};

// A value of f or of a derivative, its error estimate and the significant
// digits that estimate leaves (nothing when it is not below the value).
struct ValueBound {
    double x = 0;
    std::int32_t order = 0;
    double value = 0;
    double errorEstimate = 0;
    std::optional<int> significantDigits;
};

// The significant digits an error estimate leaves a value: floor(-log10(est /
// |value|)), at most 15; nothing when the estimate is not below |value|.
std::optional<int> significantDigits(double value, double errorEstimate);

// A number shown with only the digits it can be trusted to (its number text
// with at most `digits` significant digits); "?" without any.
std::string trustedText(double value, std::optional<int> digits);

// "1.41421356237309 ± 3.1E-09, certified by a sign change" and the like: a
// result's bound as a tool tip tells it.
std::string boundText(const RootBound& b);
std::string boundText(const ExtremumBound& b);
std::string boundText(const IntegralBound& b);
std::string boundText(const ValueBound& b);

}  // namespace tessaly::numeric
