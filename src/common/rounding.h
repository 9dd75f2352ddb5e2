#pragma once

#include <cstdint>
#include <optional>

namespace tessaly::common {

// The whole number nearest to v; a value exactly halfway goes to the even neighbour
// (2.5 -> 2, 3.5 -> 4, -2.5 -> -2). Non-finite values are returned unchanged.
double roundHalfEven(double v);

// v rounded half to even to a 32-bit whole number; nothing when v lies outside
// [-2147483648.5, 2147483647.5) or is not finite.
std::optional<std::int32_t> toInt32HalfEven(double v);

// v rounded half to even to a 16-bit whole number; nothing when v lies outside
// [-32768.5, 32767.5) or is not finite.
std::optional<std::int16_t> toInt16HalfEven(double v);

}  // namespace tessaly::common
