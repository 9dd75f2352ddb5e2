#pragma once

#include <cstdint>
#include <ostream>

#include "engine/class1.h"
#include "engine/engine.h"

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

    // Writes a message box the window would show.
    void message(const std::string& text);
    // Writes the failure that ended the command and returns the exit status 1.
    int failed(std::int32_t number);

private:
    std::ostream& m_err;
};

}  // namespace tessaly::cli
