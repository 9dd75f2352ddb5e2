#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "engine/errors.h"

namespace tessaly::evaluator {

// The memory after M+ (sign 1) or M- (sign -1) with the result label's text read
// by the leading-number reader (an empty or non-numeric text counts as 0).
// Nothing when the new memory would not be finite: it then stays as it was.
std::optional<double> memoryAfter(double memory, std::string_view resultText, int sign);

// The result label after the change-sign key: the label's number negated, as
// number text (0 stays "0"). Nothing when the label does not hold a number.
std::optional<std::string> negatedResult(std::string_view resultText);

// A result row of the list: five blanks, then the result.
std::string resultRow(std::string_view result);

// Whether the evaluator passes over an error without a message (5, 6, 11 and
// the engine's own -2147352319).
bool silentError(std::int32_t number);

}  // namespace tessaly::evaluator
