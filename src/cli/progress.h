#pragma once

#include <chrono>
#include <functional>
#include <ostream>
#include <string_view>

#include "cli/session.h"

namespace tessaly::cli {

// Whether a long command shows its progress on standard error: only when it
// is a terminal (the program's main sets it), after `delay`.
void setProgressTerminal(bool terminal, std::chrono::milliseconds delay = std::chrono::seconds(1));

// Runs command, a call of the session's study, as it is: when standard error is
// a terminal, on a command thread of its own, with "NAME: N%" on one line of
// err that is written again as the command goes on and erased at its end (the
// session's messages wait until then).
void runWithProgress(Session& s, std::string_view name, std::ostream& err, const std::function<void()>& command);

}  // namespace tessaly::cli
