#pragma once

namespace tessaly::app {

// The program: creates the application and the shared extension object, then
// starts up in order (create the main window, load it, show it, press Plot) and
// runs until the main window closes. Returns the exit status.
int runProgram(int argc, char** argv);

}  // namespace tessaly::app
