#pragma once

#include <QString>

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "record/settingsformat.h"

namespace tessaly::docs {

using record::SettingsItems;
using record::StudyRecord;

// The settings file: tessaly.ini in the user's configuration folder.
QString settingsFilePath();

// Reads a settings file whole. A regular file that cannot be used is moved to
// PATH.bad when keepBadCopy is set, so the next write does not lose it; anything
// else at the path (a folder, a FIFO, a device) is refused without waiting.
struct SettingsRead {
    std::optional<StudyRecord> record;
    QString problem;  // why there is no record
    bool exists = false;
    std::vector<std::string> replaced;  // the items that took their defaults, by name
};
SettingsRead readSettingsFile(const QString& path, bool keepBadCopy);

// Writes the settings file whole or not at all, creating its folder when needed;
// false with the reason on failure.
bool writeSettingsFile(const QString& path, const SettingsItems& items, QString* reason);

}  // namespace tessaly::docs
