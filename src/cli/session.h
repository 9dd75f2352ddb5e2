#pragma once

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>

#include "engine/class1.h"
#include "engine/engine.h"
#include "engine/userconstants.h"

namespace tessaly::cli {

// The engine and extension object of the main window, for one command. The
// engine's errors that the window shows in a message box are written to the
// error stream as "message: TEXT" lines.
class Session {
public:
    explicit Session(std::ostream& err);
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    engine::Class1 object;
    engine::Engine engine;

    // Writes a message box the window would show, one "message:" line for
    // each of its lines (empty lines left out).
    void message(const std::string& text);
    // Runs the user constants as a command does: their failures are not told
    // by the engine's error event; the first one's text is kept for
    // tellReadFailure. Returns the number of the failure, 0 when all ran.
    std::int32_t runConstants(const engine::UserConstants& constants);
    // Runs each constant as an opened study does: every failing one is passed
    // over and told.
    void runEachConstant(const engine::UserConstants& constants);
    // After a command could not read its study: its own message when it has
    // one, then the constant that failed (as the window tells them).
    void tellReadFailure(const std::optional<std::string>& commandMessage = std::nullopt);
    // Writes the failure that ended the command and returns the exit status 1.
    int failed(std::int32_t number);

private:
    std::ostream& m_err;
    bool m_runningConstants = false;
    std::optional<std::string> m_constantProblem;
};

}  // namespace tessaly::cli
