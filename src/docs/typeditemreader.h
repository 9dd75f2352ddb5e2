#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "docs/itemreader.h"
#include "docs/studyrecord.h"

namespace tessaly::docs {

// Reads the items of the program's files one after another, each into the type
// of what receives it. The first problem ("line N: not a number", "line N: the
// file ends here", ...) ends the reading: every later read gives nothing.
class TypedItemReader {
public:
    explicit TypedItemReader(std::string_view text) : m_reader(text) {}

    const std::string& problem() const { return m_problem; }
    bool ok() const { return m_problem.empty(); }

    // The next item as text.
    std::optional<std::string> text();
    // A number item that fits the type, converted to it.
    std::optional<double> number(ItemType type);
    // A whole number from low to high; `what` names the problem otherwise.
    std::optional<std::int32_t> count(std::int32_t low, std::int32_t high, const char* what = "a count out of range");
    // A truth value: #TRUE# or #FALSE#.
    std::optional<bool> truth();
    // n numbers (doubles) appended to out; false after a problem.
    bool numbers(std::int32_t n, std::vector<double>& out);

private:
    void fail(const char* what);

    ItemReader m_reader;
    std::string m_problem;
};

// The truth values as the files write them.
inline constexpr const char* kTrueItem = "#TRUE#";
inline constexpr const char* kFalseItem = "#FALSE#";

}  // namespace tessaly::docs
