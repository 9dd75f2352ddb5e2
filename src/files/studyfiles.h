#pragma once

#include <optional>
#include <string>
#include <vector>

#include "record/settingsformat.h"
#include "record/studyformat.h"

namespace tessaly::files {

// Reads a study file whole (the path is the name's bytes). On failure, message
// is what the user is told: "Cannot open PATH: REASON" when the file cannot be
// read, "Incompatible file" and on a second line why, when what it holds is not
// a study. An opened study names the items that took their defaults.
struct StudyRead {
    std::optional<record::StudyFile> study;
    std::string message;
    std::vector<std::string> replaced;
};
StudyRead readStudyFile(const std::string& path);

// "Incompatible file", then the problem on a line of its own when there is one.
std::string incompatibleMessage(const std::string& problem);

// Reads a settings file whole. A regular file that cannot be used is moved to
// PATH.bad when keepBadCopy is set, so the next write does not lose it; anything
// else at the path (a folder, a FIFO, a device) is refused without waiting.
struct SettingsRead {
    std::optional<record::StudyRecord> record;
    std::string problem;  // why there is no record
    bool exists = false;
    std::vector<std::string> replaced;  // the items that took their defaults, by name
};
SettingsRead readSettingsFile(const std::string& path, bool keepBadCopy);

}  // namespace tessaly::files
