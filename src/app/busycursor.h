#pragma once

#include <QApplication>
#include <QCursor>

namespace tessaly::app {

// Shows the hourglass pointer while a command computes; the default pointer
// comes back on every way out of the command.
class BusyCursor {
public:
    BusyCursor() { QApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

}  // namespace tessaly::app
