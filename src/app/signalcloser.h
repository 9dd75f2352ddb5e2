#pragma once

#include <QObject>

#include <functional>

class QSocketNotifier;

namespace tessaly::app {

// Turns SIGTERM, SIGINT and SIGHUP into a close of the main window, so a logout
// or a kill runs the window's exit steps like the close button does. The
// signal handler only writes a byte to a pipe; the window is closed from the
// event loop when the byte arrives.
class SignalCloser : public QObject {
    Q_OBJECT
public:
    SignalCloser(QObject* parent, std::function<void()> closeWindow);
    ~SignalCloser() override;

private:
    void onSignal();

    std::function<void()> m_closeWindow;
    QSocketNotifier* m_notifier = nullptr;
};

}  // namespace tessaly::app
