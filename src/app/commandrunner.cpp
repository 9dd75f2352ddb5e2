#include "app/commandrunner.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QEventLoop>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QShortcut>
#include <QTimer>
#include <QWidget>

#include <cmath>
#include <exception>

namespace tessaly::app {

CommandRunner::CommandRunner(QWidget& window, session::StudySession& session, QProgressBar& bar, QPushButton& cancel)
    : m_window(window), m_session(session), m_bar(bar), m_cancel(cancel)
{
    m_escape = new QShortcut(
        QKeySequence(Qt::Key_Escape), &window, this, [this] { this->cancel(); }, Qt::WindowShortcut);
    m_escape->setEnabled(false);
}

std::vector<QPointer<QObject>> CommandRunner::disableInputs(QWidget& area, std::initializer_list<QAction*> actions,
                                                            std::initializer_list<QWidget*> windows)
{
    std::vector<QPointer<QObject>> disabled;
    auto disable = [&](auto* control) {
        if (control && control->isEnabled()) {
            control->setEnabled(false);
            disabled.emplace_back(control);
        }
    };
    for (QWidget* w : area.findChildren<QWidget*>())
        if (qobject_cast<QLineEdit*>(w) || qobject_cast<QComboBox*>(w) || qobject_cast<QAbstractButton*>(w))
            disable(w);
    for (QAction* a : actions)
        disable(a);
    for (QWidget* w : windows)
        disable(w);
    return disabled;
}

void CommandRunner::showProgress()
{
    m_bar.setValue(static_cast<int>(std::lround(m_thread.fraction() * m_bar.maximum())));
}

CommandRunner::Outcome CommandRunner::run(std::function<void()> command, const Disable& disable)
{
    // The focus leaves the window's controls first: disabling the one that has
    // it would hand it from field to field, each taking it as if the user did.
    QPointer<QWidget> focus = QApplication::focusWidget();
    if (focus && m_window.isAncestorOf(focus))
        focus->clearFocus();
    const std::vector<QPointer<QObject>> disabled = disable();
    QApplication::setOverrideCursor(QCursor(Qt::BusyCursor));
    m_escape->setEnabled(true);
    m_told.clear();
    m_session.setWatch(&m_thread.watch());
    m_running = true;

    QEventLoop loop;
    QTimer progress;
    progress.setInterval(50);
    connect(&progress, &QTimer::timeout, this, &CommandRunner::showProgress);
    QTimer::singleShot(kProgressDelayMs, &loop, [this, &progress] {
        showProgress();
        m_bar.show();
        m_cancel.setEnabled(true);
        m_cancel.show();
        progress.start();
    });
    m_thread.start(std::move(command),
                   [&loop] { QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection); });
    loop.exec();

    // Everything the command wrote is seen from here on (wait joins its thread).
    Outcome out;
    std::exception_ptr failure;
    try {
        out.end = m_thread.wait() == session::CommandThread::End::Finished ? End::Finished : End::Cancelled;
    } catch (...) {
        failure = std::current_exception();
    }
    progress.stop();
    m_running = false;
    m_session.setWatch(nullptr);
    m_escape->setEnabled(false);
    m_bar.hide();
    m_cancel.hide();
    for (const QPointer<QObject>& o : disabled) {
        if (auto* w = qobject_cast<QWidget*>(o.data()))
            w->setEnabled(true);
        else if (auto* a = qobject_cast<QAction*>(o.data()))
            a->setEnabled(true);
    }
    QApplication::restoreOverrideCursor();
    if (failure)
        std::rethrow_exception(failure);
    if (focus && focus->isEnabled() && focus->isVisible())
        focus->setFocus(Qt::OtherFocusReason);
    const std::lock_guard lock(m_toldMutex);
    out.told.swap(m_told);
    return out;
}

void CommandRunner::cancel()
{
    if (m_running)
        m_thread.cancel();
}

void CommandRunner::stop()
{
    if (!m_running)
        return;
    m_thread.cancel();
    try {
        m_thread.wait();  // within a block of values; run() sees the end
    } catch (...) {
        // The window is closing: the failure has nobody to be told to.
    }
}

bool CommandRunner::keep(const std::string& text)
{
    if (!m_running)
        return false;
    const std::lock_guard lock(m_toldMutex);
    m_told.push_back(text);
    return true;
}

}  // namespace tessaly::app
