#pragma once

#include <QString>

#include <optional>
#include <string>

namespace tessaly::docs {

// The largest file the program reads: 16 MiB.
constexpr qint64 kMaxFileBytes = 16 * 1024 * 1024;

// A text file read whole: only regular files of at most 16 MiB, without a NUL
// byte; the bytes decoded as UTF-8, or Latin-1 when they are not valid UTF-8.
struct TextFileRead {
    std::optional<std::string> text;  // nothing when the file could not be read
    QString problem;                  // why not, for a message
    bool exists = false;              // whether there was anything at the path
    bool badContent = false;          // the file was read but is no text file of ours (too large, a NUL byte)
};
TextFileRead readTextFile(const QString& path);

// Writes a file whole or not at all: the bytes go to a temporary file in the same
// folder (created if needed), which then replaces the file. On failure the old
// file is untouched, false is returned and reason tells why.
bool writeFileAtomically(const QString& path, const std::string& bytes, QString* reason);

}  // namespace tessaly::docs
