// The reference of startup_bench: a Qt Widgets program that shows an empty
// window and, when its event loop first runs, writes a byte to the file
// descriptor named by TESSALY_STARTUP_FD and ends.

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <unistd.h>

#include <cstdlib>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QWidget window;
    window.resize(640, 480);
    window.show();
    QTimer::singleShot(0, [] {
        const char* fd = std::getenv("TESSALY_STARTUP_FD");
        const char done = 1;
        if (fd == nullptr || write(std::atoi(fd), &done, 1) != 1)
            std::_Exit(3);
        QApplication::quit();
    });
    return QApplication::exec();
}
