#pragma once

#include <cstdint>
#include <string_view>

namespace tessaly::docs {

// Which values the window's fields accept: the settings file, the study file and
// the field rules all ask here.

bool equationAccepted(std::string_view text);           // the function text: not empty
bool errorBoundAccepted(double value);                  // above 0
bool divisionAccepted(double value);                    // not exactly 0 (negative sizes are fine)
bool plotStepAccepted(double value);                    // a whole number from 1 to 80
bool windowPairAccepted(double lower, double upper);     // lower below upper
bool persistAccepted(double value);                     // 0 or 1

// The largest subinterval count the field takes: 2^30.
constexpr std::int32_t kMaxSubintervals = 1 << 30;

// The subinterval count a value becomes: rounded half to even, at least 2, then
// the smallest power of two not below it (computed with whole numbers, never
// from logarithms), at most 2^30.
std::int32_t subintervalsFor(double value);

}  // namespace tessaly::docs
