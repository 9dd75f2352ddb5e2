#pragma once

#include <QObject>
#include <QPointer>

#include <functional>
#include <initializer_list>
#include <mutex>
#include <string>
#include <vector>

#include "session/commandthread.h"
#include "session/studysession.h"

class QAction;
class QProgressBar;
class QPushButton;
class QShortcut;
class QWidget;

namespace tessaly::app {

// Runs a study session's commands on the command thread for a window that goes
// on meanwhile (repaints, tool tips, moving and resizing): the window's focus
// is set aside and its controls disabled while the command runs, the pointer
// shows busy-but-working, and after kProgressDelayMs the progress bar and its
// Cancel button appear; Esc presses Cancel. The session is the command
// thread's alone from the start of a command until run() returns.
class CommandRunner : public QObject {
public:
    enum class End { Finished, Cancelled };
    struct Outcome {
        End end = End::Finished;
        std::vector<std::string> told;  // what the session told meanwhile, in order
    };
    // What the window disables for a command: each control and action disabled,
    // to be enabled again at its end.
    using Disable = std::function<std::vector<QPointer<QObject>>()>;
    // Disables every field, box and button inside area, the actions and the
    // other windows given (those enabled now), and returns them.
    static std::vector<QPointer<QObject>> disableInputs(QWidget& area, std::initializer_list<QAction*> actions,
                                                        std::initializer_list<QWidget*> windows);

    static constexpr int kProgressDelayMs = 300;

    CommandRunner(QWidget& window, session::StudySession& session, QProgressBar& bar, QPushButton& cancel);

    // Runs command (a call of the session) and waits for its end while the
    // window's events go on. Anything else the command threw is thrown again.
    Outcome run(std::function<void()> command, const Disable& disable);
    bool running() const { return m_running; }
    // Asks the running command to stop (Cancel, Esc).
    void cancel();
    // Asks the running command to stop and waits for it (the window is closing).
    void stop();
    // A message of the session: kept for the end of a running command (true),
    // or left to the caller to show now (false). Called from the command thread.
    bool keep(const std::string& text);

private:
    void showProgress();

    QWidget& m_window;
    session::StudySession& m_session;
    QProgressBar& m_bar;
    QPushButton& m_cancel;
    QShortcut* m_escape = nullptr;
    session::CommandThread m_thread;
    bool m_running = false;  // written by the window's thread only, outside a command's run
    std::mutex m_toldMutex;
    std::vector<std::string> m_told;
};

}  // namespace tessaly::app
