#pragma once

#include <cstdint>
#include <string>

#include "numeric/studyinputs.h"
#include "record/studyrecord.h"

namespace tessaly::record {

// A field's number, as a command reads it: the leading-number reader's value,
// or 6 (Overflow) when it lies beyond the range of a double.
std::int32_t readNumber(const std::string& text, double& out);

// A field's number rounded half to even to 32 bits, or 6 when it does not fit.
std::int32_t readWholeNumber(const std::string& text, std::int32_t& out);

// Reads the working study values from the fields' texts: the function text as
// typed, the interval, subinterval count, error bound and iteration limit, and
// the plotted order (the number the plot selection's text begins with).
// Returns 0, or 6 when a number lies beyond the range of its type; the values
// read before that one are set.
std::int32_t readStudyInputs(const FieldTexts& texts, numeric::StudyInputs& out);

}  // namespace tessaly::record
