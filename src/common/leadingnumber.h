#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tessaly::common {

// The number a field's text begins with, as the program reads every field.
// Blanks, tabs and line feeds are ignored anywhere in the text ("1 000" is 1000,
// " - 5" is -5). Then: an optional sign, digits, an optional "." and digits, an
// optional exponent "E" or "D" with optional sign and digits; or "&H" / "&O" with
// hexadecimal / octal digits (wrapped to 32 bits, read as 16 bits when the value
// fits in 16 unless a trailing "&" follows). Reading stops at the first character
// that cannot continue the number; a text that does not begin with a number gives
// 0 ("1st.derivative" gives 1, "Function" gives 0). "." is the only decimal
// separator. Returns nothing when the number lies beyond the range of a double.
std::optional<double> readLeadingNumber(std::string_view text);

// Whether text begins with a number that readLeadingNumber reads (blanks ignored
// as there); a text that does not is read as 0 ("abc", "", "-", ".", "&H").
bool beginsWithNumber(std::string_view text);

// Reads a decimal number from the whole of text: digits with an optional "." and
// an optional "E" exponent (no sign, no blanks). Values beyond the double range give
// nothing; values too small for a double give 0.
std::optional<double> parseDecimal(std::string_view text);

// The longest decimal number at the start of text: digits, an optional "." and
// digits (at least one digit in all), an optional exponent "E" or "D" with an
// optional sign and at least one digit (without them the exponent is not part of
// the number). Returns its length, 0 when text does not begin with one, and puts
// it in out in the form parseDecimal reads.
std::size_t scanDecimal(std::string_view text, std::string& out);

// The text without the blanks and tabs around it.
std::string_view trimBlanks(std::string_view text);

// Removes a leading "+" or "-" from text; true when it was "-".
bool takeSign(std::string_view& text);

// The whole text as one decimal number of scanDecimal's form, with nothing left
// over. Nothing when it is not one; overflow is set when it lies beyond the range
// of a double.
std::optional<double> parseWholeDecimal(std::string_view text, bool& overflow);

// A "&H…" or "&O…" number at the start of text: its digits and whether a "&"
// follows them (keep 32 bits). Nothing when text does not begin with "&H" or "&O".
struct RadixNumber {
    int radix;
    std::string_view digits;  // possibly empty
    bool keep32;
    std::size_t length;  // of the whole number, prefix and "&" included
};
std::optional<RadixNumber> scanRadix(std::string_view text);

// The value of radix digits as the language reads them: wrapped to 32 bits, then
// read as 16 bits when it is at most 0xFFFF and keep32 is false. Nothing when the
// digits are empty or the value needs more than 32 bits.
std::optional<double> parseRadixDigits(std::string_view digits, int radix, bool keep32);

}  // namespace tessaly::common
