#pragma once

#include <QString>
#include <QStringList>

namespace tessaly::app {

// The program: creates the application and the shared extension object, then
// starts up in order (create the main window, load it, show it, press Plot) and
// runs until the main window closes. Returns the exit status.
int runProgram(int argc, char** argv);

// The study file named by the program's arguments (without the program's own
// name and Qt's options): the arguments joined with one blank; a pair of double
// quotes around the whole is removed; a file: URL gives its local path. Empty
// when no study is named.
QString studyPathOf(const QStringList& arguments);

}  // namespace tessaly::app
