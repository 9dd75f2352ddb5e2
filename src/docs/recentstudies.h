#pragma once

#include <QString>
#include <QStringList>

namespace tessaly::docs {

class StateFile;

// The studies last opened or saved, the latest first, at most kMax, each once.
// Kept in the state file as recent1..recent8, each name's bytes percent-escaped
// so that any file name (a line break in it, bytes that are not UTF-8) survives.
class RecentStudies {
public:
    static constexpr int kMax = 8;

    void load(const StateFile& state);
    void store(StateFile& state) const;

    // The study becomes the latest; an older entry of the same file goes, and
    // the oldest beyond kMax.
    void add(const QString& path);
    void remove(const QString& path);
    void clear() { m_paths.clear(); }
    const QStringList& paths() const { return m_paths; }

private:
    QStringList m_paths;
};

}  // namespace tessaly::docs
