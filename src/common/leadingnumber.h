#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tessaly::common {

// The number a field's text begins with, as the program reads every field.
// Blanks, tabs and line feeds are ignored anywhere in the text ("1 000" is 1000,
// " - 5" is -5). Then: an optional sign, digits, an optional "." and digits, an
// optional exponent "E" or "D" with optional sign and digits; or "&H" / "&O" with
// hexadecimal / octal digits (wrapped to 32 bits, read as 16 bits when the digits fit
// in 16 unless a trailing "&" follows). Reading stops at the first character that
// cannot continue the number; a text that does not begin with a number gives 0
// ("1st.derivative" gives 1, "Function" gives 0). "." is the only decimal separator.
// Returns nothing when the number lies beyond the range of a double (an overflow).
std::optional<double> readLeadingNumber(std::string_view text);

// Reads a decimal number from the whole of text: digits with an optional "." and
// an optional "E" exponent (no sign, no blanks). Values beyond the double range give
// nothing; values too small for a double give 0. Shared by every reader above.
std::optional<double> parseDecimal(std::string_view text);

// Reads "&H…"/"&O…" digits (without the prefix) as the language reads them: the value
// wraps to 32 bits, then reads as 16 bits when it is at most 0xFFFF and keep32 is false.
// Returns nothing when the digits are empty or the value needs more than 32 bits.
std::optional<double> parseRadixDigits(std::string_view digits, int radix, bool keep32);

}  // namespace tessaly::common
