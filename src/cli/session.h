#pragma once

#include <cstdint>
#include <ostream>
#include <string>

#include "session/studysession.h"

namespace tessaly::cli {

// One command's study session. What the window would show in message boxes
// (engine errors included) is written to the error stream as "message: TEXT"
// lines, one for each line of the box.
class Session final : public session::Messages {
public:
    explicit Session(std::ostream& err) : study(*this), m_err(err) {}
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    session::StudySession study;

    void message(const std::string& text) override;
    // Writes the failure that ended the command and returns the exit status 1.
    int failed(std::int32_t number);

private:
    std::ostream& m_err;
};

}  // namespace tessaly::cli
