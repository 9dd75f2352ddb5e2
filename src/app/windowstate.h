#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

#include "docs/recentstudies.h"
#include "docs/settingsfile.h"
#include "docs/statefile.h"

namespace tessaly::app {

class Prompter;

// What the main window keeps between runs: the settings file (the study's
// fields and constants at the last exit) and the state file beside it (the
// recent studies, the window's size and place, the View menu's choice).
class WindowState {
public:
    explicit WindowState(Prompter& prompter);

    // Where the settings file is read and written (the user's configuration
    // folder unless set); the state file lies beside it.
    void setSettingsPath(const QString& path) { m_settingsPath = path; }
    const QString& settingsPath() const { return m_settingsPath; }

    // Reads the state file (a missing or unreadable one is an empty state).
    void load();
    // Writes the state file with the recent studies; a failure costs only the
    // list and the window's place, so it goes to standard error, not to a box.
    void save();

    docs::RecentStudies& recent() { return m_recent; }
    const docs::RecentStudies& recent() const { return m_recent; }
    // A study opened or saved heads the recent studies, kept at once.
    void remember(const QString& study);

    bool trustedDigitsOnly() const { return m_state.flag(kTrustedDigitsKey); }
    // Kept at once; a failure is told.
    void setTrustedDigitsOnly(bool only);

    // The window's geometry as it was closed (QWidget::saveGeometry), if kept.
    std::optional<QByteArray> geometry() const;
    void setGeometry(const QByteArray& geometry);

    // The settings file, read (a bad copy moved aside) or written whole; a
    // failure to write is told, to standard error when toStandardError.
    docs::SettingsRead readSettings() const;
    void writeSettings(const record::SettingsItems& items, bool toStandardError);

private:
    static constexpr const char* kTrustedDigitsKey = "trustedDigitsOnly";

    Prompter& m_prompter;
    QString m_settingsPath;
    docs::StateFile m_state;
    docs::RecentStudies m_recent;
};

}  // namespace tessaly::app
