#pragma once

#include <string>

namespace tessaly::common {

// The one way numbers become text in results, captions and files. Nothing here
// depends on the C or Qt locale: the decimal separator is always ".".

// A double as number text: at most 15 significant digits rounded from the binary
// value, trailing zeros and a trailing point dropped, a 0 before the point below 1
// in magnitude ("0.5", "-0.25"). Exponent form exactly when the decimal exponent is
// below -4 or at least 15, with a sign and at least two digits ("1E-05",
// "1.234E-05", "1E+15"). Zero and -0 are both "0"; non-finite values give "inf",
// "-inf" or "nan".
std::string numberText(double v);

// As numberText but without the 0 before the point (".5", "-.25"): the form used
// where a number is put back into an entry field.
std::string shortNumberText(double v);

// A single-precision value: at most 7 significant digits, exponent form when the
// decimal exponent is below -4 or at least 7 ("1.234568E+07").
std::string singleNumberText(float v);

// As singleNumberText without the 0 before the point.
std::string shortSingleNumberText(float v);

// The shortest text that reads back as the very same double, for machine-read
// output (JSON): std::to_chars' form, "0.1", "-2", "1e-05", "1.7976931348623157e+308";
// -0 is "-0". Non-finite values give "inf", "-inf" or "nan".
std::string roundTripText(double v);

}  // namespace tessaly::common
