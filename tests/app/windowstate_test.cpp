// What the main window keeps between runs, beside its settings file.

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "app/windowstate.h"
#include "recordingprompter.h"

using tessaly::app::WindowState;
using tessaly::app::testing::RecordingPrompter;

namespace {

class WindowStates : public ::testing::Test {
protected:
    QTemporaryDir dir;
    RecordingPrompter prompter;
    QString settings() const { return dir.filePath(QStringLiteral("tessaly.txt")); }
    QString stateFile() const { return dir.filePath(QStringLiteral("tessaly.state")); }
};

TEST_F(WindowStates, GeometryViewAndRecentStudiesReadBackInTheNextRun)
{
    // Bytes no text would keep as they are: a NUL, a line end, a byte above 127.
    const QByteArray geometry("\x01\xd9\xd0\xcb\x00\x03\r\n\xff", 10);
    {
        WindowState state(prompter);
        state.setSettingsPath(settings());
        state.load();
        EXPECT_FALSE(state.trustedDigitsOnly());
        EXPECT_FALSE(state.geometry().has_value());
        state.remember(QStringLiteral("/studies/a.tsy"));
        state.remember(QStringLiteral("/studies/b.tsy"));
        state.setTrustedDigitsOnly(true);
        state.setGeometry(geometry);
        state.save();
    }
    WindowState next(prompter);
    next.setSettingsPath(settings());
    next.load();
    EXPECT_TRUE(next.trustedDigitsOnly());
    EXPECT_EQ(next.geometry(), geometry);
    EXPECT_EQ(next.recent().paths(), (QStringList{QStringLiteral("/studies/b.tsy"), QStringLiteral("/studies/a.tsy")}));
    EXPECT_TRUE(prompter.asked.isEmpty());
}

TEST_F(WindowStates, OnlyTheViewsChoiceIsWorthABoxWhenTheStateCannotBeWritten)
{
    ASSERT_TRUE(QDir().mkpath(stateFile()));  // a folder where the file should be
    WindowState state(prompter);
    state.setSettingsPath(settings());
    state.load();
    state.remember(QStringLiteral("/studies/a.tsy"));  // the recent list: standard error only
    state.save();
    EXPECT_TRUE(prompter.asked.isEmpty());
    state.setTrustedDigitsOnly(true);
    ASSERT_EQ(prompter.asked.size(), 1);
    EXPECT_TRUE(prompter.asked[0].text.startsWith(QStringLiteral("Could not save the view: ")))
        << prompter.asked[0].text.toStdString();
    EXPECT_GT(prompter.asked[0].text.size(), QStringLiteral("Could not save the view: ").size());
}

}  // namespace
