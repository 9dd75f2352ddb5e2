#pragma once

#include <string>

#include "engine/class1.h"
#include "engine/engine.h"
#include "engine/evaluation.h"

namespace tessaly::engine::testing {

// An engine set up as a window sets up its own: the extension object, then the
// start-up statements for halfpi, pi and e.
struct WindowEngine {
    Class1 object;
    Engine engine;

    WindowEngine() { prepareWindowEngine(engine, object); }

    // The value of text converted to a double, or the error number raised.
    FunctionValue value(const std::string& text, double x = 0) { return evaluateAt(engine, object, text, x); }
};

}  // namespace tessaly::engine::testing
