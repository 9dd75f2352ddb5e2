// The reference of startup_bench: a Qt Widgets program that shows an empty
// window and, when its event loop first runs, writes a byte to the file
// descriptor named by TESSALY_STARTUP_FD and ends.

#include <QApplication>
#include <QWidget>

#include <unistd.h>

#include <cstdlib>

#include "startupsignal.h"

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QWidget window;
    window.resize(640, 480);
    window.show();
    signalWhenRunning();
    return QApplication::exec();
}
