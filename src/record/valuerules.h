#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tessaly::record {

// Which values the window's fields accept: the settings file, the study file and
// the field rules all ask here.

bool equationAccepted(std::string_view text);         // the function text: not empty, not blanks only
bool errorBoundAccepted(double value);                // above 0
bool divisionAccepted(double value);                  // not exactly 0 (negative sizes are fine)
bool plotStepAccepted(double value);                  // a whole number from 1 to 80
bool windowPairAccepted(double lower, double upper);  // lower below upper
bool persistAccepted(double value);                   // 0 or 1
bool derivativeOrderAccepted(double value);           // a whole number from 0 to 33 (the factorials' table)

// Why a command or a plot did nothing, as the window's status line and the
// command-line tool say it.
inline constexpr std::string_view kPlotStepRefused = "Plot step must be a whole number from 1 to 80";
inline constexpr std::string_view kWindowPairRefused = "The lower window limit must be below the upper one";
inline constexpr std::string_view kDerivativeOrderRefused = "Derivative order must be from 0 to 33";
inline constexpr std::string_view kZoomLimitReached = "Zoom limit reached";

// A field's value: the number its text begins with (0 when none); beyond the
// double range, infinite with the number's sign.
double fieldValue(std::string_view text);

// The largest subinterval count the field takes: 2^30.
constexpr std::int32_t kMaxSubintervals = 1 << 30;

// The subinterval count a value becomes: rounded half to even, at least 2, then
// the smallest power of two not below it (computed with whole numbers, never
// from logarithms), at most 2^30.
std::int32_t subintervalsFor(double value);

// The rules of the entry fields as texts in, texts out. A field's value is the
// number its text begins with (the leading-number reader); a number beyond the
// double range counts as beyond every limit.

// What a field's Validate rule says: refused (the focus stays), or accepted with
// the text the field then holds.
struct Validation {
    bool accepted = true;
    std::string text;
};

Validation validateEquation(std::string_view text);    // refused when empty or blanks only
Validation validateErrorBound(std::string_view text);  // refused when 0 or less
Validation validateDivision(std::string_view text);    // refused when exactly 0
Validation validatePlotStep(std::string_view text);    // refused unless a whole number 1..80

// Subinterval count: never refused; the value rounded half to even, at least 2,
// at most 2^30.
Validation validateSubintervals(std::string_view text);

// Iteration limit: never refused; raised to log2(subintervals) - 1 when below it
// (only for a count of 2 or more), rounded half to even, at least 1, at most
// 2147483647. Letters read as 0.
Validation validateMaxIterations(std::string_view text, std::string_view subintervalsText);

// Leaving the subinterval count: the smallest power of two not below it, and the
// iteration limit raised to k - 1 when the power is 2^k and the limit is lower.
struct SubintervalsLeft {
    std::string subintervals;
    std::optional<std::string> maxIterations;  // the limit's new text, when it changes
};
SubintervalsLeft leaveSubintervals(std::string_view text, std::string_view maxIterationsText);

// Whether an interval pair is in order: the upper value above the lower one.
bool pairInOrder(std::string_view lowerText, std::string_view upperText);

}  // namespace tessaly::record
