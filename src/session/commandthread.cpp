#include "session/commandthread.h"

#include <cassert>
#include <utility>

namespace tessaly::session {

CommandThread::~CommandThread()
{
    if (!running())
        return;
    cancel();
    m_thread.join();
}

void CommandThread::start(std::function<void()> command, std::function<void()> ended)
{
    assert(!running());
    m_watch.reset();
    m_cancelled = false;
    m_failure = nullptr;
    m_thread = std::thread([this, command = std::move(command), ended = std::move(ended)] {
        try {
            command();
        } catch (const numeric::Cancelled&) {
            m_cancelled = true;
        } catch (...) {
            m_failure = std::current_exception();
        }
        if (ended)
            ended();
    });
}

CommandThread::End CommandThread::wait()
{
    if (running())
        m_thread.join();
    if (m_failure)
        std::rethrow_exception(std::exchange(m_failure, nullptr));
    return m_cancelled ? End::Cancelled : End::Finished;
}

}  // namespace tessaly::session
