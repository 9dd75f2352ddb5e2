#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tessaly::record {

// The text of a file's bytes as UTF-8: a UTF-8 byte-order mark is dropped, and
// bytes that are not valid UTF-8 are read as Latin-1 (older 8-bit files).
std::string decodeText(std::string_view bytes);

// Reads the items of the program's text files. Items are separated by commas and
// line ends (CR LF, LF or CR); blanks before an item are skipped. An item that
// starts with a double quote runs to the closing quote ("" inside stands for one
// quote), and whatever follows it up to the separator is dropped.
class ItemReader {
public:
    explicit ItemReader(std::string_view text) : m_text(text) {}

    // The next item; nothing at the end of the text or after a quote that never
    // closes (failed() then tells which).
    std::optional<std::string> next();
    bool failed() const { return m_failed; }
    // The line of the item last read, from 1.
    int line() const { return m_line; }

private:
    void skipSeparator();

    std::string_view m_text;
    std::size_t m_pos = 0;
    int m_line = 1;
    int m_nextLine = 1;
    bool m_failed = false;
};

// A number item: blanks around a sign, digits with an optional point and an
// optional exponent, and nothing else ("8abc", "eight", "inf", "nan" and ""
// are not numbers). Nothing beyond the range of a double.
std::optional<double> parseNumberItem(std::string_view text);

// A text item as written: between double quotes, each quote inside doubled.
std::string quotedItem(std::string_view text);

}  // namespace tessaly::record
