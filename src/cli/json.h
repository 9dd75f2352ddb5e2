#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

namespace tessaly::cli {

// A JSON value, for the machine-read output of the commands: null, true or
// false, a number, a text, an array or an object (its members in the order given).
class Json {
public:
    using Array = std::vector<Json>;
    using Object = std::vector<std::pair<std::string, Json>>;

    Json() = default;  // null
    Json(bool b) : m_value(b) {}
    Json(double v) : m_value(v) {}
    Json(std::int32_t v) : m_value(static_cast<double>(v)) {}
    Json(std::string text) : m_value(std::move(text)) {}
    Json(const char* text) : m_value(std::string(text)) {}
    Json(Array items) : m_value(std::move(items)) {}
    Json(Object members) : m_value(std::move(members)) {}

    // The value as JSON text on one line. Numbers take the shortest form that
    // reads back as the same double; a non-finite number is null. Texts are
    // UTF-8: a byte that does not belong to a well-formed sequence is written as
    // U+FFFD, and control characters are escaped.
    std::string text() const;
    // The value as one value of a CSV line: a number as number text (15
    // significant digits), true or false, a text as it is, nothing for null.
    std::string cellText() const;

private:
    void write(std::string& out) const;

    std::variant<std::nullptr_t, bool, double, std::string, Array, Object> m_value;
};

}  // namespace tessaly::cli
