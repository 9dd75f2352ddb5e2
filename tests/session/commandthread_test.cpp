// Commands of a study session on a thread of their own, watched and stopped
// from the thread that started them (run under ThreadSanitizer by make test).

#include "session/commandthread.h"

#include <gtest/gtest.h>

#include <chrono>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "session/studysession.h"

using namespace tessaly;
using End = session::CommandThread::End;

namespace {

struct Told final : session::Messages {
    std::vector<std::string> texts;
    void message(const std::string& text) override { texts.push_back(text); }
};

record::FieldTexts study(const std::string& f, const std::string& lower, const std::string& upper,
                         const std::string& subintervals = "256")
{
    record::FieldTexts t = record::defaultTexts();
    t.equation = f;
    t[record::Lower] = lower;
    t[record::Upper] = upper;
    t[record::Subintervals] = subintervals;
    return t;
}

// Waits until the command has come some way (it runs long enough to be
// stopped in the middle).
void waitForProgress(const session::CommandThread& thread)
{
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (thread.fraction() == 0 && std::chrono::steady_clock::now() < until)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    ASSERT_GT(thread.fraction(), 0);
}

// Roots over 2^30 subintervals, stopped part way: the list it rebuilds stays
// empty, nothing is told, and the session runs the next command as usual.
TEST(CommandThread, ALongCommandStopsWhenAskedAndLeavesItsListEmpty)
{
    Told told;
    session::StudySession s(told);
    const auto first = s.roots(study("x-0.3", "0", "1"));
    ASSERT_EQ(s.results().roots.size(), 1u);
    const double before = s.currentX();

    session::CommandThread thread;
    s.setWatch(&thread.watch());
    thread.start([&] { s.roots(study("x-0.3", "0", "1", "1073741824")); });
    waitForProgress(thread);
    EXPECT_LT(thread.fraction(), 1);
    thread.cancel();
    EXPECT_EQ(thread.wait(), End::Cancelled);
    EXPECT_TRUE(s.results().roots.empty());
    EXPECT_TRUE(s.trust().roots.empty());
    EXPECT_EQ(s.currentX(), before);
    EXPECT_TRUE(told.texts.empty());

    numeric::RootsOutcome r;
    thread.start([&] { r = s.roots(study("x-0.3", "0", "1")); });
    EXPECT_EQ(thread.wait(), End::Finished);
    EXPECT_EQ(r.rows, first.rows);
    EXPECT_EQ(s.results().roots.size(), 1u);
}

// Every command on the thread gives what it gives on the calling thread, to
// the bit, with the same messages.
TEST(CommandThread, CommandsGiveWhatTheyGiveWithoutIt)
{
    const auto texts = study("pi/3*x*Sin(x)*Tanh(x)", "-8", "8", "20000");
    Told serialTold, threadTold;
    session::StudySession serial(serialTold), threaded(threadTold);
    session::CommandThread thread;
    threaded.setWatch(&thread.watch());
    auto run = [&](auto command) {
        decltype(command(serial)) a, b;
        a = command(serial);
        thread.start([&] { b = command(threaded); });
        EXPECT_EQ(thread.wait(), End::Finished);
        return std::pair(a, b);
    };
    const auto [r1, r2] = run([&](session::StudySession& s) { return s.roots(texts); });
    EXPECT_EQ(r1.rows, r2.rows);
    EXPECT_EQ(r1.slopes, r2.slopes);
    const auto [e1, e2] = run([&](session::StudySession& s) { return s.extrema(texts); });
    EXPECT_EQ(e1.rows, e2.rows);
    const auto [i1, i2] = run([&](session::StudySession& s) { return s.integral(texts); });
    EXPECT_EQ(i1.label, i2.label);
    EXPECT_EQ(i1.estimates, i2.estimates);
    const auto [v1, v2] = run([&](session::StudySession& s) { return s.value(texts, "3", "1.5"); });
    EXPECT_EQ(v1.label, v2.label);
    EXPECT_EQ(serial.results().roots, threaded.results().roots);
    EXPECT_EQ(serial.results().maxima, threaded.results().maxima);
    EXPECT_EQ(serial.results().integralValue, threaded.results().integralValue);
    EXPECT_EQ(serial.currentX(), threaded.currentX());

    // A failure is told the same way, from the command's thread.
    const auto [f1, f2] = run([&](session::StudySession& s) { return s.integral(study("1/x", "-1", "1")); });
    EXPECT_EQ(f1.error, f2.error);
    EXPECT_EQ(serialTold.texts, threadTold.texts);
    EXPECT_FALSE(threadTold.texts.empty());
}

// An integral of many halvings, stopped: the integral kept stays.
TEST(CommandThread, AStoppedIntegralKeepsTheIntegralBefore)
{
    Told told;
    session::StudySession s(told);
    ASSERT_EQ(s.integral(study("x", "0", "1")).label, "0.5");
    auto texts = study("x", "0", "1", "1073741824");
    texts[record::ErrorBound] = "1E-300";
    session::CommandThread thread;
    s.setWatch(&thread.watch());
    thread.start([&] { s.integral(texts); });
    waitForProgress(thread);
    thread.cancel();
    EXPECT_EQ(thread.wait(), End::Cancelled);
    EXPECT_TRUE(s.results().integralValid);
    EXPECT_EQ(s.results().integralValue, 0.5);
}

TEST(CommandThread, AnyOtherFailureIsThrownByWait)
{
    session::CommandThread thread;
    bool ended = false;
    thread.start([] { throw std::runtime_error("no memory"); }, [&] { ended = true; });
    EXPECT_THROW(thread.wait(), std::runtime_error);
    EXPECT_TRUE(ended);
    EXPECT_FALSE(thread.running());
    thread.start([] {});
    EXPECT_EQ(thread.wait(), End::Finished);
}

// Destroyed while a command runs: the command is stopped and waited for.
TEST(CommandThread, DestroyedWhileRunningStopsTheCommand)
{
    Told told;
    session::StudySession s(told);
    {
        session::CommandThread thread;
        s.setWatch(&thread.watch());
        thread.start([&] { s.roots(study("x-0.3", "0", "1", "1073741824")); });
        waitForProgress(thread);
    }
    s.setWatch(nullptr);
    EXPECT_TRUE(s.results().roots.empty());
}

}  // namespace
