#include "files/studyfiles.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

#include "files/interrupt.h"
#include "files/textfile.h"

#include "../record/recordfixture.h"

using namespace tessaly::files;
using namespace tessaly::record;
using namespace tessaly::record::testing;
namespace fs = std::filesystem;

namespace {

class Files : public ::testing::Test {
protected:
    std::string folder;
    void SetUp() override
    {
        std::string name = (fs::temp_directory_path() / "tessaly-files-XXXXXX").string();
        ASSERT_NE(::mkdtemp(name.data()), nullptr);
        folder = name;
    }
    void TearDown() override { fs::remove_all(folder); }
    std::string path(const std::string& name) const { return folder + "/" + name; }
    void write(const std::string& name, const std::string& bytes) const
    {
        std::ofstream f(path(name), std::ios::binary);
        f << bytes;
    }
    static std::string read(const std::string& p)
    {
        std::ifstream f(p, std::ios::binary);
        return {std::istreambuf_iterator<char>(f), {}};
    }
};

TEST_F(Files, ReadsAGoodSettingsFileAndLeavesNoBadCopy)
{
    write("tessaly.ini", kSettingsWithOneConstant);
    const SettingsRead r = readSettingsFile(path("tessaly.ini"), true);
    EXPECT_EQ(r.record, withConstant());
    EXPECT_FALSE(fs::exists(path("tessaly.ini.bad")));

    const SettingsRead missing = readSettingsFile(path("none.ini"), true);
    EXPECT_FALSE(missing.record);
    EXPECT_FALSE(missing.exists);
    EXPECT_FALSE(fs::exists(path("none.ini.bad")));
}

TEST_F(Files, UnreadableSettingsAreKeptAsBad)
{
    const std::pair<const char*, std::string> rows[] = {
        {"empty", ""},
        {"binary", std::string("\x7f"
                               "ELF\x02\x01\x01\0\0\0",
                               10)},
        {"not a number", "\"x\"\r\neight\r\n"},
        {"Latin-1 junk", "\xff\xfe\xfd"},
    };
    for (const auto& [what, bytes] : rows) {
        write("tessaly.ini", bytes);
        fs::remove(path("tessaly.ini.bad"));
        const SettingsRead r = readSettingsFile(path("tessaly.ini"), true);
        EXPECT_FALSE(r.record) << what;
        EXPECT_FALSE(r.problem.empty()) << what;
        EXPECT_EQ(read(path("tessaly.ini.bad")), bytes) << what;
    }
}

TEST_F(Files, RefusesFoldersSpecialFilesHugeFilesAndNulBytes)
{
    fs::create_directory(path("folder.ini"));
    EXPECT_EQ(readTextFile(path("folder.ini")).problem, "not a regular file");
    ASSERT_EQ(::mkfifo(path("fifo.ini").c_str(), 0600), 0);
    const SettingsRead fifo = readSettingsFile(path("fifo.ini"), true);  // would block if it waited for a writer
    EXPECT_EQ(fifo.problem, "not a regular file");
    EXPECT_FALSE(fs::exists(path("fifo.ini.bad"))) << "only regular files are kept aside";
    EXPECT_EQ(readTextFile("/dev/zero").problem, "not a regular file");

    write("nul.ini", std::string("\"x\"\r\n\0\r\n", 8));
    EXPECT_EQ(readTextFile(path("nul.ini")).problem, "not a text file (it holds a NUL byte)");
    EXPECT_TRUE(readTextFile(path("nul.ini")).badContent);

    write("limit.ini", "");
    fs::resize_file(path("limit.ini"), static_cast<std::uintmax_t>(kMaxFileBytes));
    EXPECT_EQ(readTextFile(path("limit.ini")).problem, "not a text file (it holds a NUL byte)")
        << "16 MiB exactly is read";
    fs::resize_file(path("limit.ini"), static_cast<std::uintmax_t>(kMaxFileBytes) + 1);
    EXPECT_EQ(readTextFile(path("limit.ini")).problem, "larger than 16 MiB");
    write("huge.ini", "");
    fs::resize_file(path("huge.ini"), std::uintmax_t{2} * 1024 * 1024 * 1024);  // sparse: nothing is written
    const SettingsRead r = readSettingsFile(path("huge.ini"), true);
    EXPECT_EQ(r.problem, "larger than 16 MiB");
    EXPECT_FALSE(fs::exists(path("huge.ini"))) << "moved, not copied";
    EXPECT_EQ(fs::file_size(path("huge.ini.bad")), std::uintmax_t{2} * 1024 * 1024 * 1024);
}

TEST_F(Files, WritesWholeOrNotAtAllAndSaysWhy)
{
    std::string reason;
    ASSERT_TRUE(writeFileAtomically(path("sub/a.ini"), "one", &reason, FolderPolicy::Create)) << reason;
    EXPECT_EQ(read(path("sub/a.ini")), "one");
    EXPECT_FALSE(writeFileAtomically(path("other/a.txt"), "one", &reason));
    EXPECT_EQ(reason, "the folder " + path("other") + " does not exist") << "a file the user named: no folder made";
    write("plain", "x");
    EXPECT_FALSE(writeFileAtomically(path("plain/a.txt"), "one", &reason));
    EXPECT_EQ(reason, path("plain") + " is not a folder");

    fs::create_directory(path("taken.ini"));
    EXPECT_FALSE(writeFileAtomically(path("taken.ini"), "one", &reason));
    EXPECT_FALSE(reason.empty());
    EXPECT_TRUE(fs::is_directory(path("taken.ini")));
    for (const auto& entry : fs::directory_iterator(folder))
        EXPECT_EQ(entry.path().filename().string().find("XXXXXX"), std::string::npos) << "no temporary file left";
}

TEST_F(Files, WritesOnlyIntoRegularFilesKeepingTheirPermissions)
{
    std::string reason;
    write("real.ini", "old");
    fs::permissions(path("real.ini"), fs::perms::owner_read | fs::perms::owner_write);
    fs::create_symlink(path("real.ini"), path("link.ini"));
    ASSERT_TRUE(writeFileAtomically(path("link.ini"), "new", &reason)) << reason;
    EXPECT_TRUE(fs::is_symlink(path("link.ini")));
    EXPECT_EQ(read(path("real.ini")), "new");
    EXPECT_EQ(fs::status(path("real.ini")).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);

    // A link to a device is replaced by a regular file; the device is not touched.
    fs::create_symlink("/dev/null", path("device.ini"));
    ASSERT_TRUE(writeFileAtomically(path("device.ini"), "new", &reason)) << reason;
    EXPECT_FALSE(fs::is_symlink(path("device.ini")));
    EXPECT_EQ(read(path("device.ini")), "new");
}

TEST_F(Files, StudiesAreReadByTheirNamesBytesAndMessagesShowThemReadably)
{
    const std::string odd = path("\xff\xfe.txt");
    write("\xff\xfe.txt", kStudyWithOneConstant);
    const StudyRead good = readStudyFile(odd);
    ASSERT_TRUE(good.study.has_value()) << good.message;
    EXPECT_EQ(good.study->record.constants, std::vector<std::string>{"a=2.37"});

    fs::remove(odd);
    EXPECT_EQ(readStudyFile(odd).message,
              "Cannot open " + path("\xEF\xBF\xBD\xEF\xBF\xBD.txt") + ": No such file or directory");
    write("notes.txt", "\"tessaly\"\r\n");
    EXPECT_EQ(readStudyFile(path("notes.txt")).message, "Incompatible file\nline 1: \"tessaly\" is not \"Tessaly\"");
    write("nul.txt", std::string("\"Tessaly\"\0", 10));
    EXPECT_EQ(readStudyFile(path("nul.txt")).message, "Incompatible file\nnot a text file (it holds a NUL byte)");
    EXPECT_TRUE(isRegularFile(path("nul.txt")));
    EXPECT_FALSE(isRegularFile(folder));
    std::string reason;
    EXPECT_TRUE(removeFile(path("nul.txt"), &reason));
    EXPECT_TRUE(removeFile(path("nul.txt"), &reason)) << "nothing there afterwards is success";
}

// An interrupt ends the program at once with the status given, except while
// a file is written: then it ends as soon as the write is over (the child
// below writes "after" only if it went on past the interrupt).
TEST_F(Files, AnInterruptWaitsForTheFileBeingWritten)
{
    for (const bool writing : {false, true}) {
        const std::string marker = path(writing ? "after-write" : "after-plain");
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            exitOnInterrupt(130);
            {
                std::optional<InterruptDeferred> write;
                if (writing)
                    write.emplace();
                ::raise(SIGINT);
                std::ofstream(marker) << "after";
            }
            ::_exit(0);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), 130) << writing;
        EXPECT_EQ(fs::exists(marker), writing);
    }
}

}  // namespace
