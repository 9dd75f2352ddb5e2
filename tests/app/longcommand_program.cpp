// The program as it starts, with its Integral pressed as soon as it runs; it
// prints "running" once the command shows its progress (for a test that sends
// it a signal during a long command).

#include <QApplication>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

#include <cstdio>

#include "app/frmfunctions.h"
#include "app/startup.h"

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    auto window = [] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* f = qobject_cast<tessaly::app::FrmFunctions*>(w))
                return f;
        return static_cast<tessaly::app::FrmFunctions*>(nullptr);
    };
    QTimer::singleShot(0, [&] {
        if (auto* w = window())
            w->ui().cmdIntegrate->click();
    });
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* w = window();
        if (w && w->ui().prgCommand->isVisible()) {
            std::fputs("running\n", stdout);
            std::fflush(stdout);
            poll.stop();
        }
    });
    poll.start(20);
    return tessaly::app::runProgram(argc, argv);
}
