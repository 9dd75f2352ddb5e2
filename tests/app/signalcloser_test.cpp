// The program ends through its exit steps when it receives SIGTERM, SIGINT or
// SIGHUP, rather than being killed by the signal.

#include <QFile>
#include <QProcess>
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

}  // namespace
