#include "files/interrupt.h"

#include <signal.h>
#include <unistd.h>

#include <atomic>

namespace tessaly::files {
namespace {

// Lock-free atomics, safe to use in a signal handler.
std::atomic<int> g_writes{0};
std::atomic<bool> g_pending{false};
std::atomic<int> g_status{-1};  // -1: no handler installed
static_assert(std::atomic<int>::is_always_lock_free && std::atomic<bool>::is_always_lock_free);

void onInterrupt(int)
{
    if (g_writes.load() > 0) {
        g_pending.store(true);
        return;
    }
    ::_exit(g_status.load());
}

}  // namespace

void exitOnInterrupt(int status)
{
    g_status.store(status);
    struct sigaction action {};
    action.sa_handler = onInterrupt;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGINT, &action, nullptr);
}

InterruptDeferred::InterruptDeferred() { g_writes.fetch_add(1); }

InterruptDeferred::~InterruptDeferred()
{
    // An interrupt between the two steps finds no write going on and ends the
    // program itself.
    if (g_writes.fetch_sub(1) == 1 && g_pending.load())
        ::_exit(g_status.load());
}

}  // namespace tessaly::files
