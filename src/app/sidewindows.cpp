#include "app/sidewindows.h"

#include "app/frmabout.h"
#include "app/helpwindow.h"
#include "app/prompter.h"
#include "app/windowparts.h"

namespace tessaly::app {

SideWindows::SideWindows(QWidget& owner, session::StudySession& session, Prompter& prompter)
    : m_owner(owner), m_session(session), m_prompter(prompter)
{
}

void SideWindows::showEvaluator()
{
    if (!m_evaluator) {
        m_evaluator = new evaluator::FrmEvaluator(
            m_session.extension(), m_evaluatorState, [this] { return m_session.currentX(); },
            [this](const QString& caption, const QString& text) {
                m_prompter.ask(caption, text, Prompter::Icon::Critical, Prompter::Buttons::Ok);
            },
            &m_owner);
    }
    showRaised(m_evaluator);
}

void SideWindows::showHelp()
{
    if (!m_help) {
        if (!helpPageExists(kHelpContents)) {
            m_prompter.message(QStringLiteral("Help is not available."));
            return;
        }
        m_help = new HelpWindow(kHelpContents, &m_owner);
    }
    showRaised(m_help);
}

void SideWindows::showAbout()
{
    if (!m_about)
        m_about = new FrmAbout(&m_owner);
    showRaised(m_about);
}

}  // namespace tessaly::app
