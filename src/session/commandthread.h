#pragma once

#include <exception>
#include <functional>
#include <string_view>
#include <thread>

#include "numeric/commandwatch.h"

namespace tessaly::session {

// The status line of a command that was cancelled.
inline constexpr std::string_view kCancelledStatus = "Cancelled";

// Runs one command at a time on a thread of its own. The thread that starts it
// may read how far it has come, ask it to stop, and wait for its end; the
// command's objects (a study session and its engine) are touched by the command
// thread alone from start() to wait(), and by the starting thread alone
// outside it (wait() joins the thread, so all that the command wrote is seen).
class CommandThread {
public:
    enum class End {
        Finished,   // the command ran to its end
        Cancelled,  // it stopped when asked (numeric::Cancelled)
    };

    CommandThread() = default;
    // A command still running is asked to stop and waited for.
    ~CommandThread();
    CommandThread(const CommandThread&) = delete;
    CommandThread& operator=(const CommandThread&) = delete;

    // The watch the command is to use (see StudySession::setWatch); reset by start().
    numeric::CommandWatch& watch() { return m_watch; }

    // Runs command on a new thread. ended, if given, runs on that thread as its
    // very last step, after every effect of the command (to wake the thread
    // that waits). Not while a command is running.
    void start(std::function<void()> command, std::function<void()> ended = {});
    // Started and not yet waited for.
    bool running() const { return m_thread.joinable(); }
    void cancel() { m_watch.cancel(); }
    double fraction() const { return m_watch.fraction(); }
    // Waits for the command's end: Finished, or Cancelled; anything else the
    // command threw is thrown again here.
    End wait();

private:
    numeric::CommandWatch m_watch;
    std::thread m_thread;
    bool m_cancelled = false;
    std::exception_ptr m_failure;
};

}  // namespace tessaly::session
