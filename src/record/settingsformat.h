#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "record/studyrecord.h"

namespace tessaly::record {

// What the window writes to the settings file: the function text, the number
// each of fields 2 to 15 begins with (as a double), the constant statements and
// the persist choice.
struct SettingsItems {
    std::string equation;
    std::array<double, 14> numbers{};
    std::vector<std::string> constants;
    double persist = 0;

    bool operator==(const SettingsItems&) const = default;
};

// The items of a record, as the window would write them when showing it.
SettingsItems itemsOf(const StudyRecord& record);

// The items of the fields as typed: each number field's value under the
// leading-number reader (a number beyond the range of a double counts as
// infinity, which no file writes), the constants, persist 0.
SettingsItems itemsOfTexts(const FieldTexts& texts, std::vector<std::string> constants);

// The settings file's text: one item a line, each line ended by CR LF; texts
// between double quotes (a quote inside doubled); numbers in short number text.
// A number that does not fit its item's type (not finite, a whole number beyond
// 32 bits, a single beyond its range) is written as the item's default, so the
// file can always be read back.
std::string formatSettings(const SettingsItems& items);

// Reads a settings file's text into a record. Nothing, with the problem, when an
// item is missing or is not of its kind, or the constant count is not 0..101.
// Values that a field would refuse, and numbers beyond their item's type, take
// their default alone (a plot window pair its default pair) and are named in
// replaced: the rest of the file is kept.
struct ParsedSettings {
    std::optional<StudyRecord> record;
    std::string problem;
    std::vector<std::string> replaced;
};
ParsedSettings parseSettings(std::string_view text);

}  // namespace tessaly::record
