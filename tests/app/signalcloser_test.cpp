// The program ends through its exit steps when it receives SIGTERM, SIGINT or
// SIGHUP, rather than being killed by the signal.

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <csignal>

namespace {

// Whether the process has installed a handler for the signal (its SigCgt mask).
bool catches(qint64 pid, int signal)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return false;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("SigCgt:"))
            return (line.mid(7).trimmed().toULongLong(nullptr, 16) >> (signal - 1)) & 1u;
    return false;
}

class TerminatingSignal : public ::testing::TestWithParam<int> {};

TEST_P(TerminatingSignal, ClosesTheWindowAndExitsNormally)
{
    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    program.setProcessEnvironment(env);
    program.start(QStringLiteral(TESSALY_BINARY), {});
    ASSERT_TRUE(program.waitForStarted(10000));
    for (int i = 0; i < 200 && !catches(program.processId(), GetParam()); ++i)
        QThread::msleep(50);
    ASSERT_TRUE(catches(program.processId(), GetParam())) << "the program never got ready";

    ::kill(static_cast<pid_t>(program.processId()), GetParam());
    ASSERT_TRUE(program.waitForFinished(10000));
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0);
}

INSTANTIATE_TEST_SUITE_P(Signals, TerminatingSignal, ::testing::Values(SIGTERM, SIGINT, SIGHUP));

// The program started with a settings file of the test's own; SIGTERM is sent
// while a message box of the start-up is up (nobody answers it).
class SignalAtStartUp : public ::testing::Test {
protected:
    QString settings() const { return config.filePath(QStringLiteral("tessaly/tessaly.ini")); }
    void writeSettings(const QByteArray& bytes) const
    {
        QDir(config.path()).mkpath(QStringLiteral("tessaly"));
        QFile f(settings());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QByteArray readSettings() const
    {
        QFile f(settings());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    // Starts the program, waits until its message box is surely up, sends
    // SIGTERM and waits for the end (at most 2 s).
    void terminateDuringTheBox(const QStringList& arguments)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), config.path());
        program.setProcessEnvironment(env);
        program.start(QStringLiteral(TESSALY_BINARY), arguments);
        ASSERT_TRUE(program.waitForStarted(10000));
        for (int i = 0; i < 200 && !catches(program.processId(), SIGTERM); ++i)
            QThread::msleep(50);
        ASSERT_TRUE(catches(program.processId(), SIGTERM));
        QThread::msleep(1000);  // the file is read and the box shown long before
        ASSERT_EQ(program.state(), QProcess::Running) << "waiting for the box to be answered";
        ::kill(static_cast<pid_t>(program.processId()), SIGTERM);
        ASSERT_TRUE(program.waitForFinished(2000));
        EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(program.exitCode(), 0);
    }
    QTemporaryDir config;
    QProcess program;
};

// Lines ended by LF alone: any rewrite by the program would end them with CR LF.
const QByteArray kOldSettings = "\"x^3\"\n-8\n8\n256\n.01\n20\n-20\n20\n-15\n15\n1\n0\n0\n1\n1\n0\n0\n";

TEST_F(SignalAtStartUp, BeforeTheSettingsAreReadNothingIsWritten)
{
    writeSettings(kOldSettings);
    // The study cannot be opened: its message comes before the settings are read.
    terminateDuringTheBox({QStringLiteral("/nonexistent/study.txt")});
    EXPECT_EQ(readSettings(), kOldSettings);
}

TEST_F(SignalAtStartUp, AfterTheSettingsAreReadTheyAreWrittenWhole)
{
    QByteArray refused = kOldSettings;
    refused.replace("\n15\n1\n", "\n15\n0\n");  // a plot step of 0: its replacement is told
    writeSettings(refused);
    terminateDuringTheBox({});
    EXPECT_EQ(readSettings(),
              QByteArray("\"x^3\"\r\n-8\r\n8\r\n256\r\n.01\r\n20\r\n-20\r\n20\r\n-15\r\n15\r\n1\r\n0\r\n0\r\n"
                         "1\r\n1\r\n0\r\n0\r\n"));
}

}  // namespace
