// The main window's commands on the command thread: what the window disables,
// shows and waits for while one runs.

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>

#include "app/frmfunctions.h"
#include "app/prompter.h"

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
    if (m_runner.running() || m_unloaded)
        return false;
    const CommandRunner::Outcome outcome = m_runner.run(std::move(command), [this] { return DisableForCommand(); });
    if (m_unloaded)
        return false;  // closed under the command: nothing more is shown
    for (const std::string& text : outcome.told)
        m_prompter.message(QString::fromStdString(text));
    if (m_resizePending) {
        m_resizePending = false;
        Picture1_Resize();
    }
    if (outcome.end == CommandRunner::End::Cancelled) {
        ShowStatus(session::kCancelledStatus);
        return false;
    }
    return true;
}

void FrmFunctions::cmdCancel_Click() { m_runner.cancel(); }

}  // namespace tessaly::app
