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
