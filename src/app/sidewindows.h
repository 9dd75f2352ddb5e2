#pragma once

#include <QPointer>
#include <QWidget>

#include "evaluator/frmevaluator.h"
#include "session/studysession.h"

namespace tessaly::app {

class Prompter;

// The main window's other windows: the evaluator over the study's extension
// object (what it keeps lasts between openings), help and about. Each is open
// once at most: asking again raises it. They close with the main window.
class SideWindows {
public:
    SideWindows(QWidget& owner, session::StudySession& session, Prompter& prompter);

    void showEvaluator();
    // Help opens on its contents page; "Help is not available." when the pages are missing.
    void showHelp();
    void showAbout();

    // The evaluator window while it is open, else null.
    evaluator::FrmEvaluator* evaluator() const { return m_evaluator.data(); }

private:
    QWidget& m_owner;
    session::StudySession& m_session;
    Prompter& m_prompter;
    QPointer<evaluator::FrmEvaluator> m_evaluator;
    evaluator::EvaluatorState m_evaluatorState;
    QPointer<QWidget> m_help;
    QPointer<QWidget> m_about;
};

}  // namespace tessaly::app
