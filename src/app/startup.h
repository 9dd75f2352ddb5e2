#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>
#include <string>

namespace tessaly::app {

class Dialogs;
class Prompter;

// What a test puts in the place of the user: the message boxes, the file and
// print dialogs, the decimal separator. Nothing set means the real ones.
struct ProgramSeams {
    Prompter* prompter = nullptr;
    Dialogs* dialogs = nullptr;
    std::optional<QString> decimalSeparator;
};

// The program: creates the application (unless one exists) and the shared
// extension object, checks the decimal separator (a No ends the program with
// status 0 before any window exists), then starts up in order (create the main
// window, load it, show it, press Plot) and runs until the main window closes.
// Returns the exit status.
int runProgram(int argc, char** argv, const ProgramSeams& seams = {});

// The study file named by the program's arguments (without the program's own
// name and Qt's options): the arguments joined with one blank; a pair of double
// quotes around the whole is removed; a file:// URL gives its local path ("file:"
// without the slashes is part of a file name). Empty when no study is named.
QString studyPathOf(const QStringList& arguments);

// The program's arguments as the system gave them (without the program's name)
// and as Qt left them after taking its own options. The study is named by what
// follows "--" when it is there, otherwise by what Qt left; takenByQt lists the
// arguments Qt took (before any "--"), to be told.
struct StartArguments {
    QString study;
    QStringList takenByQt;
};
StartArguments startArguments(const QList<QByteArray>& given, const QList<QByteArray>& leftByQt);

// What the program prints and exits with, before any window or dialog, when
// --help (-h) or --version (-V) is among the arguments before any "--": the
// usage, or "tessaly VERSION". Nothing otherwise ("tessaly -- --help" opens a
// study of that name).
std::optional<std::string> startInformation(const QList<QByteArray>& given);

}  // namespace tessaly::app
