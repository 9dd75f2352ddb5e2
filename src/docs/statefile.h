#pragma once

#include <QString>

#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace tessaly::docs {

// A small file of the window's own state (view choices, and the like) beside
// the settings file, whose format never changes: "key=value" lines, UTF-8.
// Read whole (a file that cannot be read is an empty state) and written whole
// or not at all.
class StateFile {
public:
    // The state file beside a settings file: tessaly.state in its folder.
    static QString besideSettings(const QString& settingsPath);

    void load(const QString& path);
    std::optional<std::string> value(std::string_view key) const;
    bool flag(std::string_view key) const { return value(key) == "1"; }
    void set(const std::string& key, const std::string& value) { m_values[key] = value; }
    // Writes the file; false with the reason on failure.
    bool save(QString* reason) const;

private:
    QString m_path;
    std::map<std::string, std::string, std::less<>> m_values;
};

}  // namespace tessaly::docs
