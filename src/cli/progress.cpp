#include "cli/progress.h"

#include <cmath>
#include <condition_variable>
#include <mutex>
#include <string>

#include "session/commandthread.h"

namespace tessaly::cli {
namespace {

bool g_terminal = false;
std::chrono::milliseconds g_delay{1000};

}  // namespace

void setProgressTerminal(bool terminal, std::chrono::milliseconds delay)
{
    g_terminal = terminal;
    g_delay = delay;
}

void runWithProgress(Session& s, std::string_view name, std::ostream& err, const std::function<void()>& command)
{
    if (!g_terminal) {
        command();
        return;
    }
    std::mutex mutex;
    std::condition_variable woken;
    bool ended = false;
    session::CommandThread thread;
    s.hold();
    s.study.setWatch(&thread.watch());
    thread.start(command, [&] {
        const std::lock_guard lock(mutex);
        ended = true;
        woken.notify_all();
    });
    const auto start = std::chrono::steady_clock::now();
    bool shown = false;
    // The line is written whenever the delay is over, then the end is awaited
    // for at most 100 ms (so a delay of 0 always writes it once).
    std::unique_lock lock(mutex);
    for (;;) {
        if (std::chrono::steady_clock::now() - start >= g_delay) {
            const auto percent = static_cast<int>(std::floor(thread.fraction() * 100));
            err << '\r' << name << ": " << std::to_string(percent) << '%' << std::flush;
            shown = true;
        }
        if (woken.wait_for(lock, std::chrono::milliseconds(100), [&] { return ended; }))
            break;
    }
    lock.unlock();
    if (shown)
        err << "\r\033[K" << std::flush;  // the line erased: the results follow as they always do
    s.study.setWatch(nullptr);
    s.release();
    thread.wait();  // anything the command threw, thrown again
}

}  // namespace tessaly::cli
