#pragma once

#include <QString>

#include <optional>
#include <string>

#include "files/textfile.h"

namespace tessaly::docs {

// The program's files by the names the windows carry (decodeFileName, in
// docs/filename.h): each call is the one of files/textfile.h on the name's bytes.

using files::FolderPolicy;
using files::kMaxFileBytes;

// A text file read whole (see files::readTextFile), its problem as a QString.
struct TextFileRead {
    std::optional<std::string> text;
    QString problem;
    bool exists = false;
    bool regularFile = false;
    bool badContent = false;
};
TextFileRead readTextFile(const QString& path);

bool writeFileAtomically(const QString& path, const std::string& bytes, QString* reason,
                         FolderPolicy folderPolicy = FolderPolicy::MustExist);
bool isRegularFile(const QString& path);
bool removeFile(const QString& path, QString* reason);

}  // namespace tessaly::docs
