#pragma once

#include <cstdint>
#include <mutex>
#include <ostream>
#include <string>
#include <vector>

#include "session/studysession.h"

namespace tessaly::cli {

// One command's study session. What the window would show in message boxes
// (engine errors included) is written to the error stream as "message: TEXT"
// lines, one for each line of the box; warnings as "warning: TEXT". Both are
// kept too, for the output formats that carry them.
class Session final : public session::Messages {
public:
    explicit Session(std::ostream& err) : study(*this), m_err(err) {}
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    session::StudySession study;

    void message(const std::string& text) override;
    void warning(const std::string& text);
    // Writes the failure that ended the command and returns the exit status 1.
    int failed(std::int32_t number);

    // While held (a command runs on a thread of its own and a progress line is
    // on the terminal), the messages' lines wait; release writes them in order.
    void hold();
    void release();

    // The lines written so far: the messages' and the warnings' texts.
    const std::vector<std::string>& messages() const { return m_messages; }
    const std::vector<std::string>& warnings() const { return m_warnings; }

private:
    std::ostream& m_err;
    std::vector<std::string> m_messages;
    std::vector<std::string> m_warnings;
    std::mutex m_mutex;  // message() may come from a command's thread
    bool m_held = false;
    std::vector<std::string> m_waiting;
};

}  // namespace tessaly::cli
