#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "record/itemreader.h"
#include "record/studyrecord.h"

namespace tessaly::record {

// Reads the items of the program's files one after another, each into the type
// of what receives it. The first problem ends the reading: every later read
// gives nothing. The problem names the line, the item and what was expected
// ("line 7: \"abc\" is not a number", "line 5: the file ends where a number
// was expected").
class TypedItemReader {
public:
    explicit TypedItemReader(std::string_view text) : m_reader(text) {}

    const std::string& problem() const { return m_problem; }
    bool ok() const { return m_problem.empty(); }

    // The next item as text; `expected` names it when the file ends before it.
    std::optional<std::string> text(const char* expected = "an item");
    // A number item as a double (any finite double).
    std::optional<double> number();
    // A number item that fits the type, converted to it.
    std::optional<double> number(ItemType type);
    // A whole number from low to high; `what` names it otherwise ("a count").
    std::optional<std::int32_t> count(std::int32_t low, std::int32_t high, const char* what = "a count");
    // A truth value: #TRUE# or #FALSE#.
    std::optional<bool> truth();
    // n numbers (doubles) appended to out; false after a problem.
    bool numbers(std::int32_t n, std::vector<double>& out);

    // Ends the reading with a problem of an item: line N: "ITEM" WHAT.
    void failItem(const std::string& item, const std::string& what);

private:
    void fail(const std::string& what);

    ItemReader m_reader;
    std::string m_problem;
    std::string m_last;  // the item last read
};

// Reads the record's number items from..to-1 (0 is item 2) in order. Each must
// be a number; one that does not fit its item's type (a whole number beyond 32
// bits, a single beyond its range) keeps the record's value, and its name goes
// to replaced. False after a problem.
bool readNumberItems(TypedItemReader& items, StudyRecord& record, int from, int to, std::vector<std::string>& replaced);

// The truth values as the files write them.
inline constexpr const char* kTrueItem = "#TRUE#";
inline constexpr const char* kFalseItem = "#FALSE#";

}  // namespace tessaly::record
