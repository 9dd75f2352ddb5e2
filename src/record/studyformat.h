#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "record/settingsformat.h"
#include "record/studyrecord.h"

namespace tessaly::record {

// The results a study file keeps: the integral when it converged, the roots, the
// count of possible roots and the maxima and minima positions, each list in the
// order found.
struct StudyResults {
    bool integralValid = false;
    double integralValue = 0;
    std::vector<double> roots;
    std::int32_t possibleRootCount = 0;
    std::vector<double> maxima;
    std::vector<double> minima;

    bool operator==(const StudyResults&) const = default;
};

// The most positions of one kind a study holds.
constexpr int kMaxPositions = 255;

// The first item of every study file.
inline constexpr std::string_view kStudyTag = "Tessaly";

// The message for a file that is not a study the program can open.
inline constexpr const char* kIncompatibleFile = "Incompatible file";

// The first number item (0..13, items 2 to 15) whose value would not read back
// as its type: not finite, a whole number beyond 32 bits, a single beyond its range.
std::optional<int> unwritableItem(const SettingsItems& items);

// The study file's text: lines ended by CR LF; "Tessaly"; the function and the
// interval and accuracy values with the result counts; the plot values; the
// constants; then the integral (when valid), the roots, the maxima and the
// minima, one a line. Numbers in number text, truth values as #TRUE# / #FALSE#,
// texts quoted (a quote inside doubled). The items must all be writable
// (unwritableItem) and each position list hold at most 255 entries.
std::string formatStudy(const SettingsItems& items, const StudyResults& results);

// A study file's text read into a record and its results. Nothing, with the
// problem, when the first item is not exactly "Tessaly", an item is missing or
// is not of its kind, or a count is out of range (constants 0..101, positions
// 0..255, possible roots not negative). Values a field would refuse, and numbers
// beyond their item's type, take their defaults and are named in replaced. The
// record's persist choice is left at its default: the file does not keep it.
struct StudyFile {
    StudyRecord record;
    StudyResults results;
};
struct ParsedStudy {
    std::optional<StudyFile> study;
    std::string problem;                // why there is no study: the line, the item, what was expected
    std::vector<std::string> replaced;  // the items that took their defaults, by name
};
ParsedStudy parseStudy(std::string_view text);

}  // namespace tessaly::record
