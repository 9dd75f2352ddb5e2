// Long commands run off the window's thread: the window shows their progress
// and Cancel, disables what would change the study under them, and ends
// promptly when closed or sent a signal during one.

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QProgressBar>
#include <QTimer>

#include <gtest/gtest.h>

#include <csignal>
#include <functional>

#include "windowfixture.h"

using tessaly::app::testing::Window;

namespace {

// Runs `during` once the window shows the command's progress (checked every
// 20 ms while the command runs), then presses `button` of the window as a user does.
void whenProgressShows(Window& win, std::function<void()> during)
{
    auto* poll = new QTimer(win.w.get());
    poll->setInterval(20);
    QObject::connect(poll, &QTimer::timeout, poll, [&win, poll, during = std::move(during)] {
        if (!win.find<QProgressBar>("prgCommand")->isVisible())
            return;
        poll->stop();
        poll->deleteLater();
        during();
    });
    poll->start();
}

// Records whether a widget was ever shown.
struct ShowWatch : QObject {
    bool shown = false;
    bool eventFilter(QObject*, QEvent* e) override
    {
        shown = shown || e->type() == QEvent::Show;
        return false;
    }
};

// f is cheap, the grid has 2^30 subintervals: the scan runs for many seconds.
// (Set quietly: the labels of the results before stay, to be seen kept.)
void longRoots(Window& win)
{
    win.setQuietly("txtEquation", "x-0.3");
    win.setQuietly("txtXlower", "0");
    win.setQuietly("txtXupper", "1");
    win.setQuietly("txtSubintervals", "1073741824");
}

TEST(LongCommand, ShowsProgressDisablesTheStudyAndCancelEmptiesTheList)
{
    Window win;
    win.press("cmdRoots");
    ASSERT_EQ(win.find<QLabel>("lblRoots")->text(), "5 roots");
    win.press("cmdIntegrate");
    const QString integral = win.find<QLabel>("lblIntegral")->text();
    win.w->cmdShowEvaluator_Click();
    longRoots(win);

    bool seen = false;
    whenProgressShows(win, [&] {
        seen = true;
        EXPECT_TRUE(win.find<QPushButton>("cmdCancel")->isVisible());
        EXPECT_TRUE(win.w->commandRunning());
        for (const char* name : {"cmdRoots", "cmdPlot", "cmdIntegrate", "cmdAddCons", "cmdZoomIn"})
            EXPECT_FALSE(win.find<QPushButton>(name)->isEnabled()) << name;
        EXPECT_FALSE(win.find<QLineEdit>("txtEquation")->isEnabled());
        EXPECT_FALSE(win.constants()->isEnabled());
        EXPECT_FALSE(win.w->ui().mnuOpen->isEnabled());
        EXPECT_TRUE(win.w->ui().mnuQuit->isEnabled());
        QWidget* evaluator = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == QLatin1String("frmEvaluator"))
                evaluator = w;
        ASSERT_NE(evaluator, nullptr);
        EXPECT_FALSE(evaluator->isEnabled()) << "the evaluator waits for the command";
        ASSERT_NE(QApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::BusyCursor);
        QTest::mouseClick(win.find<QPushButton>("cmdCancel"), Qt::LeftButton);
    });
    QElapsedTimer clock;
    clock.start();
    win.press("cmdRoots");
    ASSERT_TRUE(seen);
    EXPECT_LT(clock.elapsed(), 10000) << "cancelled, not run to its end";
    EXPECT_TRUE(win.rows("lstRoots").isEmpty());
    EXPECT_EQ(win.find<QLabel>("lblRoots")->text(), "5 roots") << "the label keeps its text";
    EXPECT_EQ(win.find<QLabel>("lblIntegral")->text(), integral);
    EXPECT_EQ(win.find<QLabel>("lblStatus")->text(), "Cancelled");
    EXPECT_TRUE(win.w->session().results().roots.empty());
    EXPECT_TRUE(win.prompter.asked.isEmpty());
    EXPECT_FALSE(win.find<QProgressBar>("prgCommand")->isVisible());
    EXPECT_FALSE(win.find<QPushButton>("cmdCancel")->isVisible());
    EXPECT_TRUE(win.find<QPushButton>("cmdRoots")->isEnabled());
    EXPECT_TRUE(win.find<QLineEdit>("txtEquation")->isEnabled());
    EXPECT_TRUE(win.w->ui().mnuOpen->isEnabled());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    // The next command runs as usual, and clears the status line.
    win.set("txtSubintervals", "256");
    win.press("cmdRoots");
    EXPECT_EQ(win.rows("lstRoots").size(), 1);
    EXPECT_EQ(win.find<QLabel>("lblStatus")->text(), "");
}

// Esc presses Cancel: a long Integral stops and keeps the integral shown.
TEST(LongCommand, EscapeCancelsAnIntegral)
{
    Window win;
    win.press("cmdIntegrate");
    const QString integral = win.find<QLabel>("lblIntegral")->text();
    win.setQuietly("txtSubintervals", "1073741824");
    win.setQuietly("txtError", "1E-300");
    win.setQuietly("txtMaxcy", "30");
    win.w->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(win.w.get()));
    whenProgressShows(win, [&] { QTest::keyClick(win.w.get(), Qt::Key_Escape); });
    win.press("cmdIntegrate");
    EXPECT_EQ(win.find<QLabel>("lblStatus")->text(), "Cancelled");
    EXPECT_EQ(win.find<QLabel>("lblIntegral")->text(), integral);
}

// A command that ends before 300 ms shows neither the bar nor Cancel, and
// gives what it always gives.
TEST(LongCommand, AShortCommandNeverShowsProgress)
{
    Window win;
    ShowWatch bar, cancel;
    win.find<QProgressBar>("prgCommand")->installEventFilter(&bar);
    win.find<QPushButton>("cmdCancel")->installEventFilter(&cancel);
    win.press("cmdRoots");
    win.press("cmdExtrema");
    win.press("cmdIntegrate");
    win.press("cmdDerVal");
    QTest::qWait(2 * tessaly::app::FrmFunctions::kProgressDelayMs);
    EXPECT_FALSE(bar.shown);
    EXPECT_FALSE(cancel.shown);
    EXPECT_EQ(win.find<QLabel>("lblRoots")->text(), "5 roots");
    EXPECT_EQ(win.rows("lstRoots").size(), 5);
    EXPECT_EQ(win.find<QLabel>("lblStatus")->text(), "");
}

// Closed during a command: the command stops, the settings are written, and
// nothing of the command is shown.
TEST(LongCommand, ClosingDuringACommandStopsItAndWritesTheSettings)
{
    Window win;
    longRoots(win);
    whenProgressShows(win, [&] { win.w->close(); });
    QElapsedTimer clock;
    clock.start();
    win.press("cmdRoots");
    EXPECT_LT(clock.elapsed(), 10000);
    EXPECT_FALSE(win.w->isVisible());
    EXPECT_TRUE(win.file().startsWith("\"x-0.3\"\r\n0\r\n1\r\n1073741824\r\n")) << win.file().toStdString();
    EXPECT_TRUE(win.rows("lstRoots").isEmpty());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

// The program itself, sent SIGTERM during a long Integral: it ends within 2 s
// and writes its settings whole.
TEST(LongCommand, SigtermDuringALongIntegralEndsTheProgramWithinTwoSeconds)
{
    QTemporaryDir config;
    QDir(config.path()).mkpath(QStringLiteral("tessaly"));
    const QString settings = config.filePath(QStringLiteral("tessaly/tessaly.ini"));
    const QByteArray study = "\"x\"\n0\n1\n1073741824\n1E-300\n30\n-20\n20\n-15\n15\n1\n0\n0\n1\n1\n0\n0\n";
    {
        QFile f(settings);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(study);
    }
    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), config.path());
    program.setProcessEnvironment(env);
    program.start(QStringLiteral(TESSALY_LONG_COMMAND), {});
    ASSERT_TRUE(program.waitForStarted(10000));
    while (!program.readAllStandardOutput().contains("running"))
        ASSERT_TRUE(program.waitForReadyRead(20000)) << "the Integral never showed its progress";
    ::kill(static_cast<pid_t>(program.processId()), SIGTERM);
    QElapsedTimer clock;
    clock.start();
    ASSERT_TRUE(program.waitForFinished(5000));
    EXPECT_LT(clock.elapsed(), 2000);
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0);
    QFile f(settings);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    QByteArray expected = study;
    expected.replace("\n", "\r\n");
    EXPECT_EQ(f.readAll(), expected);
}

}  // namespace
