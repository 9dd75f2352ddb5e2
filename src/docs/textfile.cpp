#include "docs/textfile.h"

#include "docs/filename.h"

namespace tessaly::docs {
namespace {

std::string bytesOf(const QString& path) { return encodeFileName(path).toStdString(); }

// Runs a call that may give a reason, handing the reason on as a QString.
template <typename Call>
bool withReason(QString* reason, Call call)
{
    std::string why;
    const bool done = call(&why);
    if (!done && reason)
        *reason = QString::fromStdString(why);
    return done;
}

}  // namespace

TextFileRead readTextFile(const QString& path)
{
    files::TextFileRead read = files::readTextFile(bytesOf(path));
    return {std::move(read.text), QString::fromStdString(read.problem), read.exists, read.regularFile, read.badContent};
}

bool writeFileAtomically(const QString& path, const std::string& bytes, QString* reason, FolderPolicy folderPolicy)
{
    return withReason(
        reason, [&](std::string* why) { return files::writeFileAtomically(bytesOf(path), bytes, why, folderPolicy); });
}

bool isRegularFile(const QString& path) { return files::isRegularFile(bytesOf(path)); }

bool removeFile(const QString& path, QString* reason)
{
    return withReason(reason, [&](std::string* why) { return files::removeFile(bytesOf(path), why); });
}

}  // namespace tessaly::docs
