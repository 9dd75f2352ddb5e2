// The main window's commands on the command thread: what the window disables,
// shows and waits for while one runs.

#include <QLabel>
#include <QMenu>

#include "app/frmfunctions.h"
#include "app/prompter.h"

namespace tessaly::app {

std::vector<QPointer<QObject>> FrmFunctions::DisableForCommand()
{
    // Every field, box and button (the graph stays: its tool tip still follows
    // the pointer, a click on it does nothing); the menu entries that read or
    // change the study (Quit, Help and About stay); the evaluator, which shares
    // the extension object with the command.
    return CommandRunner::disableInputs(
        *centralWidget(),
        {m_ui.mnuOpen, m_ui.mnuRecent->menuAction(), m_ui.mnuSave, m_ui.mnuSaveAs, m_ui.mnuCopy, m_ui.mnuExport,
         m_ui.mnuTrustedDigits, m_ui.mnuPrint, m_ui.actShowEvaluator},
        {m_windows.evaluator()});
}

bool FrmFunctions::RunCommand(std::function<void()> command)
{
    ClearStatus();
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

void FrmFunctions::ShowStatus(std::string_view text)
{
    m_ui.lblStatus->setText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

void FrmFunctions::ClearStatus() { m_ui.lblStatus->clear(); }

}  // namespace tessaly::app
