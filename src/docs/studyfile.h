#pragma once

#include <QImage>
#include <QString>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "docs/settingsfile.h"
#include "docs/studyrecord.h"

namespace tessaly::docs {

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

// The name a field goes by in messages: its label without the colon, or what
// its tool tip says it is when it has no label of its own (item 2 + i).
std::string itemName(int i);

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
    std::string problem;                  // why there is no study: the line, the item, what was expected
    std::vector<std::string> replaced;    // the items that took their defaults, by name
};
ParsedStudy parseStudy(std::string_view text);

// Reads a study file whole. On failure, message is what the user is told:
// "Cannot open PATH: REASON" when the file cannot be read, "Incompatible file"
// and on a second line why, when what it holds is not a study. An opened study
// names the items that took their defaults (see replacedMessage).
struct StudyRead {
    std::optional<StudyFile> study;
    QString message;
    std::vector<std::string> replaced;
};
StudyRead readStudyFile(const QString& path);

// "Incompatible file", then the problem on a line of its own when there is one.
QString incompatibleMessage(const std::string& problem);

// The graph's bitmap beside a study: PATH.bmp.
QString bitmapPathFor(const QString& studyPath);

// Saves a study: the old bitmap beside it is removed first, then the study is
// written, then the graph as a 24-bit bitmap when one is given; each file whole
// or not at all, so a study never lies beside another study's picture. Returns
// nothing when done, or the
// message for the user: "The value of NAME is out of range; the study was not
// saved." (nothing written), or "Could not save PATH: REASON".
std::optional<QString> saveStudy(const QString& path, const SettingsItems& items, const StudyResults& results,
                                 const QImage* graph);

// Writes an image file (BMP as 24 bits, or PNG, by the suffix given) whole or not
// at all; false with the reason on failure.
bool writeImageFile(const QString& path, const QImage& image, const char* format, QString* reason);

}  // namespace tessaly::docs
