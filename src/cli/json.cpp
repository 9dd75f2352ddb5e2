#include "cli/json.h"

#include <cmath>

#include "common/numbertext.h"
#include "common/utf8.h"

namespace tessaly::cli {
namespace {

void writeText(std::string_view text, std::string& out)
{
    static constexpr char kHex[] = "0123456789abcdef";
    out += '"';
    while (!text.empty()) {
        const unsigned char c = static_cast<unsigned char>(text[0]);
        const std::size_t length = common::utf8SequenceLength(text);
        if (length == 0) {
            out += "\xEF\xBF\xBD";  // U+FFFD in the place of the byte
            text.remove_prefix(1);
            continue;
        }
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c == '\n')
            out += "\\n";
        else if (c == '\r')
            out += "\\r";
        else if (c == '\t')
            out += "\\t";
        else if (c < 0x20) {
            out += "\\u00";
            out += kHex[c >> 4];
            out += kHex[c & 0xF];
        } else
            out.append(text.substr(0, length));
        text.remove_prefix(length);
    }
    out += '"';
}

}  // namespace

std::string Json::text() const
{
    std::string out;
    write(out);
    return out;
}

std::string Json::cellText() const
{
    if (const bool* b = std::get_if<bool>(&m_value))
        return *b ? "true" : "false";
    if (const double* v = std::get_if<double>(&m_value))
        return common::numberText(*v);
    if (const std::string* s = std::get_if<std::string>(&m_value))
        return *s;
    return std::holds_alternative<std::nullptr_t>(m_value) ? std::string() : text();
}

void Json::write(std::string& out) const
{
    if (const bool* b = std::get_if<bool>(&m_value))
        out += *b ? "true" : "false";
    else if (const double* v = std::get_if<double>(&m_value))
        out += std::isfinite(*v) ? common::roundTripText(*v) : "null";
    else if (const std::string* s = std::get_if<std::string>(&m_value))
        writeText(*s, out);
    else if (const Array* items = std::get_if<Array>(&m_value)) {
        out += '[';
        for (std::size_t i = 0; i < items->size(); ++i) {
            if (i > 0)
                out += ", ";
            (*items)[i].write(out);
        }
        out += ']';
    } else if (const Object* members = std::get_if<Object>(&m_value)) {
        out += '{';
        for (std::size_t i = 0; i < members->size(); ++i) {
            if (i > 0)
                out += ", ";
            writeText((*members)[i].first, out);
            out += ": ";
            (*members)[i].second.write(out);
        }
        out += '}';
    } else
        out += "null";
}

}  // namespace tessaly::cli
