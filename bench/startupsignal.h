#pragma once

// How a start-up child of startup_bench tells the moment its event loop first
// runs: a byte to the file descriptor named by TESSALY_STARTUP_FD, then the
// application quits.

#include <QApplication>
#include <QTimer>

#include <unistd.h>

#include <cstdlib>

inline void signalWhenRunning()
{
    QTimer::singleShot(0, [] {
        const char* fd = std::getenv("TESSALY_STARTUP_FD");
        const char done = 1;
        if (fd == nullptr || write(std::atoi(fd), &done, 1) != 1)
            std::_Exit(3);
        QApplication::quit();
    });
}
