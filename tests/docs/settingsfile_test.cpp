#include "docs/settingsfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "docs/textfile.h"

#include "../record/recordfixture.h"

using namespace tessaly::docs;
using namespace tessaly::record;
using namespace tessaly::record::testing;

namespace {

class Files : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
    void write(const char* name, const QByteArray& bytes) const
    {
        QFile f(path(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
};

TEST_F(Files, ReadsAGoodFileAndLeavesNoBadCopy)
{
    write("tessaly.ini", QByteArray::fromStdString(kSettingsWithOneConstant));
    const SettingsRead r = readSettingsFile(path("tessaly.ini"), true);
    EXPECT_EQ(r.record, withConstant());
    EXPECT_FALSE(QFile::exists(path("tessaly.ini.bad")));
}

TEST_F(Files, AMissingFileIsNoProblemToKeep)
{
    const SettingsRead r = readSettingsFile(path("tessaly.ini"), true);
    EXPECT_FALSE(r.record);
    EXPECT_FALSE(r.exists);
    EXPECT_FALSE(QFile::exists(path("tessaly.ini.bad")));
}

TEST_F(Files, UnreadableFilesAreKeptAsBad)
{
    const std::pair<const char*, QByteArray> rows[] = {
        {"empty", QByteArray()},
        {"binary", QByteArray("\x7f"
                              "ELF\x02\x01\x01\0\0\0",
                              10)},
        {"not a number", QByteArray("\"x\"\r\neight\r\n")},
        {"Latin-1 junk", QByteArray("\xff\xfe\xfd")},
    };
    for (const auto& [what, bytes] : rows) {
        write("tessaly.ini", bytes);
        QFile::remove(path("tessaly.ini.bad"));
        const SettingsRead r = readSettingsFile(path("tessaly.ini"), true);
        EXPECT_FALSE(r.record) << what;
        EXPECT_FALSE(r.problem.isEmpty()) << what;
        QFile bad(path("tessaly.ini.bad"));
        ASSERT_TRUE(bad.open(QIODevice::ReadOnly)) << what;
        EXPECT_EQ(bad.readAll(), bytes) << what;
    }
}

TEST_F(Files, RefusesDirectoriesHugeFilesAndNulBytes)
{
    QDir(dir.path()).mkdir(QStringLiteral("folder.ini"));
    EXPECT_EQ(readTextFile(path("folder.ini")).problem, "not a regular file");

    write("nul.ini", QByteArray("\"x\"\r\n\0\r\n", 8));
    EXPECT_FALSE(readTextFile(path("nul.ini")).text.has_value());

    QFile big(path("big.ini"));
    ASSERT_TRUE(big.open(QIODevice::WriteOnly));
    ASSERT_TRUE(big.resize(kMaxFileBytes + 1));
    big.close();
    EXPECT_EQ(readTextFile(path("big.ini")).problem, "larger than 16 MiB");
}

TEST_F(Files, WritesWholeOrNotAtAll)
{
    QString reason;
    ASSERT_TRUE(writeSettingsFile(path("sub/tessaly.ini"), itemsOf(withConstant()), &reason)) << reason.toStdString();
    EXPECT_EQ(readSettingsFile(path("sub/tessaly.ini"), false).record, withConstant());

    // A folder in the way of the file: the write fails and says why.
    QDir(dir.path()).mkdir(QStringLiteral("taken.ini"));
    EXPECT_FALSE(writeSettingsFile(path("taken.ini"), itemsOf(StudyRecord{}), &reason));
    EXPECT_FALSE(reason.isEmpty());
    EXPECT_TRUE(QFileInfo(path("taken.ini")).isDir());
}

TEST_F(Files, WritesOnlyIntoRegularFiles)
{
    QString reason;
    const std::string text = formatSettings(itemsOf(withConstant()));
    // A link to a regular file: the file is replaced, the link stays, the
    // file's permissions are kept.
    write("real.ini", "old");
    QFile::setPermissions(path("real.ini"), QFile::ReadOwner | QFile::WriteOwner);
    ASSERT_TRUE(QFile::link(path("real.ini"), path("link.ini")));
    ASSERT_TRUE(writeSettingsFile(path("link.ini"), itemsOf(withConstant()), &reason)) << reason.toStdString();
    EXPECT_TRUE(QFileInfo(path("link.ini")).isSymLink());
    struct stat st {};
    ASSERT_EQ(::stat(path("real.ini").toLocal8Bit().constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    QFile real(path("real.ini"));
    ASSERT_TRUE(real.open(QIODevice::ReadOnly));
    EXPECT_EQ(real.readAll().toStdString(), text);

    // A link to a device is replaced by a regular file: the settings are not
    // swallowed, and the device is not touched.
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/null"), path("device.ini")));
    ASSERT_TRUE(writeSettingsFile(path("device.ini"), itemsOf(withConstant()), &reason)) << reason.toStdString();
    EXPECT_FALSE(QFileInfo(path("device.ini")).isSymLink());
    EXPECT_EQ(readSettingsFile(path("device.ini"), false).record, withConstant());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Hidden | QDir::Files).filter(QStringLiteral("XXX")).size(), 0);
}

TEST_F(Files, SpecialFilesAreRefusedWithoutWaitingAndHugeOnesMovedAside)
{
    ASSERT_EQ(mkfifo(path("fifo.ini").toLocal8Bit().constData(), 0600), 0);
    const SettingsRead fifo = readSettingsFile(path("fifo.ini"), true);  // would block if it waited for a writer
    EXPECT_FALSE(fifo.record);
    EXPECT_EQ(fifo.problem, "not a regular file");
    EXPECT_FALSE(QFile::exists(path("fifo.ini.bad"))) << "only regular files are kept aside";
    EXPECT_EQ(readTextFile(QStringLiteral("/dev/zero")).problem, "not a regular file");

    QFile huge(path("huge.ini"));
    ASSERT_TRUE(huge.open(QIODevice::WriteOnly));
    ASSERT_TRUE(huge.resize(qint64(2) * 1024 * 1024 * 1024));  // sparse: nothing is written
    huge.close();
    const SettingsRead r = readSettingsFile(path("huge.ini"), true);
    EXPECT_EQ(r.problem, "larger than 16 MiB");
    EXPECT_FALSE(QFile::exists(path("huge.ini"))) << "moved, not copied";
    EXPECT_EQ(QFileInfo(path("huge.ini.bad")).size(), qint64(2) * 1024 * 1024 * 1024);
}

TEST(SettingsPath, IsInTheUsersConfigurationFolder)
{
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
    int argc = 1;
    char name[] = "docs_test";
    char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tessaly"));
    EXPECT_EQ(settingsFilePath(), config.path() + "/tessaly/tessaly.ini");
}

}  // namespace
