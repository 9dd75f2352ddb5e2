#include "files/textfile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstdlib>

#include <cstring>

#include "common/utf8.h"
#include "files/interrupt.h"
#include "record/itemreader.h"

namespace tessaly::files {
namespace {

// Closes a file descriptor when it goes out of scope.
class Descriptor {
public:
    explicit Descriptor(int fd) : m_fd(fd) {}
    ~Descriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return m_fd; }
    // Closes now; false when closing reports an error (a write that failed late).
    bool close()
    {
        const int fd = m_fd;
        m_fd = -1;
        return ::close(fd) == 0;
    }

private:
    int m_fd;
};

// The new file's permissions: an existing file's own, else the usual ones
// under the process's umask.
mode_t modeFor(const std::string& target)
{
    struct stat st {};
    if (::stat(target.c_str(), &st) == 0 && S_ISREG(st.st_mode))
        return st.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

bool writeAll(int fd, const char* data, std::size_t size)
{
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

// The folder part of a file name ("." for a bare name, "/" for one at the root).
std::string folderOf(const std::string& name)
{
    const std::size_t slash = name.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? std::string("/") : name.substr(0, slash);
}

// Creates a folder and the folders above it that are missing.
bool makeFolders(const std::string& folder)
{
    for (std::size_t i = 1; i <= folder.size(); ++i) {
        if (i < folder.size() && folder[i] != '/')
            continue;
        const std::string part = folder.substr(0, i);
        if (::mkdir(part.c_str(), 0777) != 0 && errno != EEXIST)
            return false;
    }
    struct stat st {};
    return ::stat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// Makes a rename in a folder last: the folder's entry is flushed to the disk.
void syncFolder(const std::string& folder)
{
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

}  // namespace

TextFileRead readTextFile(const std::string& path)
{
    TextFileRead out;
    const std::string& name = path;
    struct stat link {};
    out.exists = ::lstat(name.c_str(), &link) == 0;
    // Not blocking: a FIFO or a device must not hold the program up. What was
    // opened is checked, not what the name pointed to a moment before.
    const Descriptor fd(::open(name.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (fd.get() < 0) {
        out.problem = systemError(errno);
        return out;
    }
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0) {
        out.problem = systemError(errno);
        return out;
    }
    if (!S_ISREG(st.st_mode)) {
        out.problem = "not a regular file";
        return out;
    }
    out.regularFile = true;
    if (st.st_size > kMaxFileBytes) {
        out.problem = "larger than 16 MiB";
        out.badContent = true;
        return out;
    }
    std::string bytes;
    bytes.resize(static_cast<std::size_t>(kMaxFileBytes) + 1);
    std::size_t size = 0;
    while (size < bytes.size()) {
        const ssize_t n = ::read(fd.get(), bytes.data() + size, bytes.size() - size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            out.problem = systemError(errno);
            return out;
        }
        if (n == 0)
            break;
        size += static_cast<std::size_t>(n);
    }
    if (size > static_cast<std::size_t>(kMaxFileBytes)) {
        out.problem = "larger than 16 MiB";
        out.badContent = true;
        return out;
    }
    bytes.resize(size);
    if (bytes.find('\0') != std::string::npos) {
        out.problem = "not a text file (it holds a NUL byte)";
        out.badContent = true;
        return out;
    }
    out.text = record::decodeText(bytes);
    return out;
}

bool writeFileAtomically(const std::string& path, const std::string& bytes, std::string* reason,
                         FolderPolicy folderPolicy)
{
    auto fail = [reason](const std::string& why) {
        if (reason)
            *reason = why;
        return false;
    };
    // An interrupt of a command-line program waits for the file to be whole
    // (or the temporary removed).
    const InterruptDeferred wholeFirst;
    // A link to a regular file has that file replaced; any other link (to a
    // device, a folder, nothing) is itself replaced, so nothing is written
    // anywhere but into a regular file.
    std::string target = path;
    struct stat st {};
    if (::lstat(target.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
        if (char* resolved = ::realpath(target.c_str(), nullptr)) {
            if (::stat(resolved, &st) == 0 && S_ISREG(st.st_mode))
                target = resolved;
            std::free(resolved);
        }
    }
    const std::string folder = folderOf(target);
    if (::stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
        const std::string shown = displayName(folder);
        if (::stat(folder.c_str(), &st) == 0)
            return fail(shown + " is not a folder");
        if (folderPolicy != FolderPolicy::Create || !makeFolders(folder))
            return fail("the folder " + shown + " does not exist");
    }
    const std::size_t slash = target.rfind('/');
    std::string temporary = folder + "/." + target.substr(slash == std::string::npos ? 0 : slash + 1) + ".XXXXXX";
    Descriptor fd(::mkostemp(temporary.data(), O_CLOEXEC));
    if (fd.get() < 0)
        return fail(systemError(errno));
    const mode_t mode = modeFor(target);
    const bool written =
        writeAll(fd.get(), bytes.data(), bytes.size()) && ::fchmod(fd.get(), mode) == 0 && ::fsync(fd.get()) == 0;
    const int writeError = errno;
    if (!fd.close() || !written) {
        const int error = written ? errno : writeError;
        ::unlink(temporary.c_str());
        return fail(systemError(error));
    }
    if (::rename(temporary.c_str(), target.c_str()) != 0) {
        const int error = errno;
        ::unlink(temporary.c_str());
        return fail(systemError(error));
    }
    syncFolder(folder);
    return true;
}

bool isRegularFile(const std::string& path)
{
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool removeFile(const std::string& path, std::string* reason)
{
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || ::unlink(path.c_str()) == 0)
        return true;
    if (reason)
        *reason = systemError(errno);
    return false;
}

std::string displayName(const std::string& path) { return common::validUtf8(path); }

std::string systemError(int error)
{
    char buffer[256] = {};
    // The GNU strerror_r gives its text, which may or may not be the buffer.
    return ::strerror_r(error, buffer, sizeof buffer);
}

}  // namespace tessaly::files
