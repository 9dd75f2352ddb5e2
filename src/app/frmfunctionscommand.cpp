// The main window's commands on the command thread: what the window disables,
// shows and waits for while one runs.

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QEventLoop>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QShortcut>
#include <QTimer>

#include <cmath>

#include "app/frmfunctions.h"
#include "app/pictureview.h"
#include "app/prompter.h"
#include "app/windowtools.h"

namespace tessaly::app {

std::vector<QPointer<QObject>> FrmFunctions::DisableForCommand()
{
    std::vector<QPointer<QObject>> disabled;
    auto disable = [&](auto* control) {
        if (control->isEnabled()) {
            control->setEnabled(false);
            disabled.emplace_back(control);
        }
    };
    // Every field, box and button of the window (the graph stays: its tool tip
    // still follows the pointer, a click on it does nothing).
    for (QWidget* w : centralWidget()->findChildren<QWidget*>())
        if (qobject_cast<QLineEdit*>(w) || qobject_cast<QComboBox*>(w) || qobject_cast<QAbstractButton*>(w))
            disable(w);
    // The menu entries that read or change the study; Quit, Help and About stay.
    for (QAction* a : {m_ui.mnuOpen, m_ui.mnuRecent->menuAction(), m_ui.mnuSave, m_ui.mnuSaveAs, m_ui.mnuCopy,
                       m_ui.mnuExport, m_ui.mnuTrustedDigits, m_ui.mnuPrint, m_ui.actShowEvaluator})
        disable(a);
    // The evaluator shares the extension object with the command: it waits.
    if (m_evaluator)
        disable(m_evaluator.data());
    return disabled;
}

bool FrmFunctions::RunCommand(std::function<void()> command)
{
    if (m_commandRunning || m_unloaded)
        return false;
    // The focus leaves the window's controls first: disabling the one that has
    // it would hand it from field to field, each taking it as if the user did.
    QPointer<QWidget> focus = QApplication::focusWidget();
    if (focus && isAncestorOf(focus))
        focus->clearFocus();
    const std::vector<QPointer<QObject>> disabled = DisableForCommand();
    QApplication::setOverrideCursor(QCursor(Qt::BusyCursor));
    if (!m_escape) {
        m_escape = new QShortcut(QKeySequence(Qt::Key_Escape), this, this, &FrmFunctions::cmdCancel_Click);
        m_escape->setContext(Qt::WindowShortcut);
    }
    m_escape->setEnabled(true);
    m_told.clear();
    m_session.setWatch(&m_command.watch());
    m_commandRunning = true;

    QEventLoop loop;
    m_commandLoop = &loop;
    QTimer progress;
    progress.setInterval(50);
    connect(&progress, &QTimer::timeout, this, [this] {
        m_ui.prgCommand->setValue(static_cast<int>(std::lround(m_command.fraction() * FrmFunctionsUi::kProgressSteps)));
    });
    QTimer::singleShot(kProgressDelayMs, &loop, [this, &progress] {
        m_ui.prgCommand->setValue(static_cast<int>(std::lround(m_command.fraction() * FrmFunctionsUi::kProgressSteps)));
        m_ui.prgCommand->show();
        m_ui.cmdCancel->setEnabled(true);
        m_ui.cmdCancel->show();
        progress.start();
    });
    m_command.start(std::move(command),
                    [&loop] { QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection); });
    loop.exec();
    m_commandLoop = nullptr;

    // Everything the command wrote is seen from here on (wait joins its thread).
    session::CommandThread::End end = session::CommandThread::End::Cancelled;
    std::exception_ptr failure;
    try {
        end = m_command.wait();
    } catch (...) {
        failure = std::current_exception();
    }
    progress.stop();
    m_commandRunning = false;
    m_session.setWatch(nullptr);
    m_escape->setEnabled(false);
    m_ui.prgCommand->hide();
    m_ui.cmdCancel->hide();
    for (const QPointer<QObject>& o : disabled) {
        if (auto* w = qobject_cast<QWidget*>(o.data()))
            w->setEnabled(true);
        else if (auto* a = qobject_cast<QAction*>(o.data()))
            a->setEnabled(true);
    }
    QApplication::restoreOverrideCursor();
    if (failure)
        std::rethrow_exception(failure);
    if (m_unloaded)
        return false;  // closed under the command: nothing more is shown
    if (focus && focus->isEnabled() && focus->isVisible())
        focus->setFocus(Qt::OtherFocusReason);
    std::vector<std::string> told;
    {
        const std::lock_guard lock(m_toldMutex);
        told.swap(m_told);
    }
    for (const std::string& text : told)
        m_prompter.message(QString::fromStdString(text));
    if (m_resizePending) {
        m_resizePending = false;
        Picture1_Resize();
    }
    if (end == session::CommandThread::End::Cancelled) {
        ShowStatus(session::kCancelledStatus);
        return false;
    }
    return true;
}

void FrmFunctions::cmdCancel_Click()
{
    if (m_commandRunning)
        m_command.cancel();
}

void FrmFunctions::StopCommand()
{
    if (!m_commandRunning)
        return;
    m_command.cancel();
    try {
        m_command.wait();  // within a block of values; RunCommand sees the end
    } catch (...) {
        // The window is closing: the failure has nobody to be told to.
    }
}

}  // namespace tessaly::app
