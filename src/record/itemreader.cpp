#include "record/itemreader.h"

#include <charconv>
#include <limits>

#include "common/leadingnumber.h"

namespace tessaly::record {
namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isLineEnd(char c) { return c == '\r' || c == '\n'; }

// The length of a valid UTF-8 sequence starting at s[i], or 0.
std::size_t utf8Length(std::string_view s, std::size_t i)
{
    const auto b = static_cast<unsigned char>(s[i]);
    std::size_t n = 0;
    std::uint32_t cp = 0;
    if (b < 0x80)
        return 1;
    if ((b & 0xE0) == 0xC0) {
        n = 2;
        cp = b & 0x1F;
    } else if ((b & 0xF0) == 0xE0) {
        n = 3;
        cp = b & 0x0F;
    } else if ((b & 0xF8) == 0xF0) {
        n = 4;
        cp = b & 0x07;
    } else {
        return 0;
    }
    if (i + n > s.size())
        return 0;
    for (std::size_t k = 1; k < n; ++k) {
        const auto c = static_cast<unsigned char>(s[i + k]);
        if ((c & 0xC0) != 0x80)
            return 0;
        cp = (cp << 6) | (c & 0x3F);
    }
    const std::uint32_t minimum[] = {0, 0, 0x80, 0x800, 0x10000};
    if (cp < minimum[n] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return 0;  // overlong, beyond Unicode, or a surrogate
    return n;
}

}  // namespace

std::string decodeText(std::string_view bytes)
{
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF")
        bytes.remove_prefix(3);
    bool utf8 = true;
    for (std::size_t i = 0; i < bytes.size() && utf8;) {
        const std::size_t n = utf8Length(bytes, i);
        utf8 = n > 0;
        i += n;
    }
    if (utf8)
        return std::string(bytes);
    std::string out;
    out.reserve(bytes.size() * 2);
    for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x80) {
            out.push_back(c);
        } else {
            out.push_back(static_cast<char>(0xC0 | (b >> 6)));
            out.push_back(static_cast<char>(0x80 | (b & 0x3F)));
        }
    }
    return out;
}

void ItemReader::skipSeparator()
{
    if (m_pos >= m_text.size())
        return;
    if (m_text[m_pos] == ',') {
        ++m_pos;
        return;
    }
    if (m_text[m_pos] == '\r') {
        ++m_pos;
        if (m_pos < m_text.size() && m_text[m_pos] == '\n')
            ++m_pos;
        ++m_nextLine;
        return;
    }
    if (m_text[m_pos] == '\n') {
        ++m_pos;
        ++m_nextLine;
    }
}

std::optional<std::string> ItemReader::next()
{
    if (m_failed || m_pos >= m_text.size())
        return std::nullopt;
    m_line = m_nextLine;
    while (m_pos < m_text.size() && isBlank(m_text[m_pos]))
        ++m_pos;
    std::string item;
    if (m_pos < m_text.size() && m_text[m_pos] == '"') {
        ++m_pos;
        for (;;) {
            if (m_pos >= m_text.size()) {
                m_failed = true;  // the quote never closes
                return std::nullopt;
            }
            const char c = m_text[m_pos++];
            if (c == '"') {
                if (m_pos < m_text.size() && m_text[m_pos] == '"') {
                    item.push_back('"');
                    ++m_pos;
                    continue;
                }
                break;
            }
            if (isLineEnd(c))
                ++m_nextLine;
            item.push_back(c);
        }
        while (m_pos < m_text.size() && m_text[m_pos] != ',' && !isLineEnd(m_text[m_pos]))
            ++m_pos;
    } else {
        while (m_pos < m_text.size() && m_text[m_pos] != ',' && !isLineEnd(m_text[m_pos]))
            item.push_back(m_text[m_pos++]);
    }
    skipSeparator();
    return item;
}

namespace {

// Whether a decimal text beyond the double range is no larger than the number
// text of the largest double, 1.79769313486232E+308 (15 digits round it up).
bool atMostLargestWritten(std::string_view text)
{
    std::string number;
    if (common::scanDecimal(text, number) != text.size())
        return false;
    long double v = 0;
    const auto res = std::from_chars(number.data(), number.data() + number.size(), v);
    return res.ec == std::errc() && v <= 1.79769313486232E+308L;
}

}  // namespace

std::optional<double> parseNumberItem(std::string_view text)
{
    text = common::trimBlanks(text);
    const bool negative = common::takeSign(text);
    bool overflow = false;
    auto v = common::parseWholeDecimal(text, overflow);
    if (!v && overflow && atMostLargestWritten(text))
        v = std::numeric_limits<double>::max();
    if (!v)
        return std::nullopt;
    return negative ? -*v : *v;
}

std::string quotedItem(std::string_view text)
{
    std::string out = "\"";
    for (char c : text) {
        out.push_back(c);
        if (c == '"')
            out.push_back('"');
    }
    out.push_back('"');
    return out;
}

}  // namespace tessaly::record
