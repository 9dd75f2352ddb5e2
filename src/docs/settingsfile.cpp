#include "docs/settingsfile.h"

#include <QStandardPaths>

#include "docs/filename.h"
#include "docs/textfile.h"
#include "files/studyfiles.h"

namespace tessaly::docs {

QString settingsFilePath()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) + QStringLiteral("/tessaly.ini");
}

SettingsRead readSettingsFile(const QString& path, bool keepBadCopy)
{
    files::SettingsRead read = files::readSettingsFile(encodeFileName(path).toStdString(), keepBadCopy);
    return {std::move(read.record), QString::fromStdString(read.problem), read.exists, std::move(read.replaced)};
}

bool writeSettingsFile(const QString& path, const SettingsItems& items, QString* reason)
{
    return writeFileAtomically(path, record::formatSettings(items), reason, FolderPolicy::Create);
}

}  // namespace tessaly::docs
