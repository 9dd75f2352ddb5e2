#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tessaly::common {

// The length of the well-formed UTF-8 sequence text begins with, or 0 (an empty
// text, a stray byte, a sequence cut short, an overlong form, a surrogate,
// anything above U+10FFFF).
std::size_t utf8SequenceLength(std::string_view text);

// The text as valid UTF-8: its well-formed sequences kept, each other byte
// written as U+FFFD.
std::string validUtf8(std::string_view text);

}  // namespace tessaly::common
