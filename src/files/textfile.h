#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace tessaly::files {

// Paths here are file names as the system's bytes, which need not be UTF-8.

// The largest file the program reads: 16 MiB.
constexpr std::int64_t kMaxFileBytes = 16 * 1024 * 1024;

// A text file read whole: only regular files of at most 16 MiB, without a NUL
// byte; the bytes decoded as UTF-8, or Latin-1 when they are not valid UTF-8.
// Opening never blocks (a FIFO or a device is refused, not waited for).
struct TextFileRead {
    std::optional<std::string> text;  // nothing when the file could not be read
    std::string problem;              // why not, for a message
    bool exists = false;              // whether there was anything at the path
    bool regularFile = false;         // what was opened is a regular file
    bool badContent = false;          // the file was read but is no text file of ours (too large, a NUL byte)
};
TextFileRead readTextFile(const std::string& path);

// Whether a write may create the folder of the file (the settings' folder) or
// the folder must exist (a file the user named).
enum class FolderPolicy { MustExist, Create };

// Writes a file whole or not at all: the bytes go to a temporary file in the same
// folder, which is flushed to the disk and then renamed over the file; the
// folder is flushed too, so the new name survives a power loss. A link to a
// regular file has its target replaced; any other link, and anything at the
// path that is not a regular file, is replaced by the file itself (a folder
// cannot be). An existing file's permissions are kept. On failure the old file
// is untouched, false is returned and reason tells why ("the folder F does not
// exist" when it does not and may not be created).
bool writeFileAtomically(const std::string& path, const std::string& bytes, std::string* reason,
                         FolderPolicy folderPolicy = FolderPolicy::MustExist);

// Whether the path names a regular file (following links).
bool isRegularFile(const std::string& path);

// Removes a file (a link itself, not what it points to); true when there is
// nothing at the path afterwards, false with the reason otherwise.
bool removeFile(const std::string& path, std::string* reason);

// A file name as a user reads it in a message: each byte that is not UTF-8
// shown as U+FFFD.
std::string displayName(const std::string& path);

// The system's description of an error number ("No such file or directory").
std::string systemError(int error);

}  // namespace tessaly::files
