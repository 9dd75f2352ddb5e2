#include "docs/settingsfile.h"

#include <QFile>
#include <QStandardPaths>

#include <cstdio>

#include "docs/filename.h"
#include "docs/textfile.h"

namespace tessaly::docs {

QString settingsFilePath()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) + QStringLiteral("/tessaly.ini");
}

SettingsRead readSettingsFile(const QString& path, bool keepBadCopy)
{
    SettingsRead out;
    const TextFileRead file = readTextFile(path);
    out.exists = file.exists;
    if (file.text) {
        record::ParsedSettings parsed = record::parseSettings(*file.text);
        if (parsed.record) {
            out.record = std::move(parsed.record);
            out.replaced = std::move(parsed.replaced);
            return out;
        }
        out.problem = QString::fromStdString(parsed.problem);
    } else {
        out.problem = file.problem;
    }
    // A regular file that could not be used is moved aside (never copied: it
    // may be huge), so the next write does not lose it.
    if (keepBadCopy && file.regularFile) {
        const QByteArray bad = encodeFileName(path + QStringLiteral(".bad"));
        std::rename(encodeFileName(path).constData(), bad.constData());
    }
    return out;
}

bool writeSettingsFile(const QString& path, const SettingsItems& items, QString* reason)
{
    return writeFileAtomically(path, record::formatSettings(items), reason, FolderPolicy::Create);
}

}  // namespace tessaly::docs
