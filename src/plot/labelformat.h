#pragma once

#include <string>
#include <string_view>

namespace tessaly::plot {

// The decimals of the division labels, from the division field's text: the
// characters after its first "." (blanks around the text ignored), and for a
// text with an exponent ("1E-05", "2.5E-3") the decimals its value needs.
int labelDecimals(std::string_view divisionText);

// A division label: the value rounded half away from zero to that many
// decimals, without leading zeros (an integer part of 0 shows nothing), a "-"
// for a negative value, and the point whenever the field had one ("######.00":
// 0.5 shows .50, -1.25 shows -1.25; "######": 0 shows nothing; "######.": 4.).
std::string labelText(double value, int decimals, bool withPoint);

// Whether the division field's text writes a point (or an exponent whose value needs one).
bool labelHasPoint(std::string_view divisionText);

// A window label: the single's number text, after a blank when it is not negative.
std::string printedNumber(float value);

}  // namespace tessaly::plot
