#include "docs/statefile.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "docs/filename.h"
#include "docs/recentstudies.h"
#include "docs/textfile.h"

using namespace tessaly::docs;

namespace {

class StateFiles : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path() const { return dir.filePath(QStringLiteral("tessaly.state")); }
    // The list as a later start reads it back.
    QStringList readBack(const RecentStudies& recent) const
    {
        StateFile state;
        state.load(path());
        recent.store(state);
        EXPECT_TRUE(state.save(nullptr));
        StateFile again;
        again.load(path());
        RecentStudies read;
        read.load(again);
        return read.paths();
    }
};

TEST_F(StateFiles, KeysAndValuesReadBack)
{
    StateFile state;
    state.load(path());
    EXPECT_EQ(state.value("trustedDigitsOnly"), std::nullopt) << "a missing file is an empty state";
    state.set("trustedDigitsOnly", "1");
    state.set("geometry", "AdnQywADAAA=");
    ASSERT_TRUE(state.save(nullptr));
    StateFile again;
    again.load(path());
    EXPECT_TRUE(again.flag("trustedDigitsOnly"));
    EXPECT_EQ(again.value("geometry"), "AdnQywADAAA=") << "a value with '=' in it";
}

TEST_F(StateFiles, RecentStudiesLatestFirstEachOnceAtMostEight)
{
    RecentStudies recent;
    for (int i = 1; i <= 9; ++i)
        recent.add(dir.filePath(QStringLiteral("s%1.txt").arg(i)));
    recent.add(dir.filePath(QStringLiteral("sub/../s5.txt")));
    QStringList expected;
    for (int i : {5, 9, 8, 7, 6, 4, 3, 2})
        expected << dir.filePath(QStringLiteral("s%1.txt").arg(i));
    EXPECT_EQ(recent.paths(), expected) << "s5 moved to the front as one entry; s1 fell off the ninth place";
    EXPECT_EQ(readBack(recent), expected);

    recent.remove(dir.filePath(QStringLiteral("s9.txt")));
    expected.removeAt(1);
    EXPECT_EQ(readBack(recent), expected) << "a removed entry's key is emptied, not left over";
}

TEST_F(StateFiles, RecentStudiesKeepAnyFileName)
{
    RecentStudies recent;
    const QString odd = decodeFileName(dir.filePath(QStringLiteral("a")).toUtf8() + "\xff\nb=c%20.txt");
    const QString plain = dir.filePath(QStringLiteral("caf\u00e9 1.tsy"));
    recent.add(odd);
    recent.add(plain);
    EXPECT_EQ(readBack(recent), (QStringList{plain, odd}));
    const auto text = readTextFile(path()).text;
    ASSERT_TRUE(text.has_value());
    EXPECT_EQ(text->find("\xff"), std::string::npos) << "the file holds only escaped bytes";
}

TEST_F(StateFiles, RelativeNamesAreMadeAbsolute)
{
    RecentStudies recent;
    recent.add(QStringLiteral("study.txt"));
    ASSERT_EQ(recent.paths().size(), 1);
    EXPECT_TRUE(recent.paths()[0].startsWith(QLatin1Char('/')));
    recent.add(QString());
    EXPECT_EQ(recent.paths().size(), 1) << "no entry for an empty name";
}

}  // namespace
