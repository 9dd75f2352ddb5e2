#pragma once

#include <QMainWindow>
#include <QPointer>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/commandrunner.h"
#include "app/frmfunctionsui.h"
#include "app/graphpanel.h"
#include "app/sidewindows.h"
#include "app/studyfiles.h"
#include "app/windowstate.h"
#include "session/studysession.h"

class QLabel;
class QListWidget;
class QMimeData;

namespace tessaly::fields {
class FieldRules;
}

namespace tessaly::app {

class DecimalGuard;
class Dialogs;
class Prompter;

// The main window: the study fields, the result lists, the plot fields and the
// graph picture over a study session (the engine, the constants, the working
// values and the results), whose extension object it shares with the
// evaluator window. Handlers call the session and show what it returns.
class FrmFunctions : public QMainWindow, private session::Messages, private StudyFiles::Host {
    Q_OBJECT
public:
    FrmFunctions(Prompter& prompter, Dialogs& dialogs, QWidget* parent = nullptr);
    ~FrmFunctions() override;

    // Loads the window: the derivative list and the initial state; then the
    // study named on the command line is opened, or when there is none (or it
    // cannot be opened) the settings file is read into the fields.
    void Form_Load(const std::function<bool()>& openCommandLineStudy = {});

    // Where the settings file is read and written (the user's configuration
    // folder unless set).
    void setSettingsPath(const QString& path) { m_state.setSettingsPath(path); }
    const QString& settingsPath() const { return m_state.settingsPath(); }
    // The guard whose setting the window puts back when it closes.
    void setDecimalGuard(DecimalGuard* guard) { m_decimalGuard = guard; }

    // Closes the window because the program received a terminating signal: the
    // exit steps run (the settings are written) even before the window was
    // shown, and a failure to save the settings goes to standard error, not to
    // a box.
    void closeBySignal();
    // Whether a study is in the window: the command line's study was opened, or
    // the settings file was read (or found missing). Until then, nothing the
    // window holds is worth writing to the settings file.
    bool holdsStudy() const { return m_holdsStudy; }

    const FrmFunctionsUi& ui() const { return m_ui; }
    // The study the window works on: its results, working values and extension object.
    session::StudySession& session() { return m_session; }
    const session::StudySession& session() const { return m_session; }
    // The study file Save writes to; empty until a study is opened or saved.
    const QString& studyFileName() const { return m_files.path(); }
    // The graph was drawn and no plot input changed since.
    bool graphCurrent() const { return m_graph.current(); }
    // The plot's working values as the last Plot read them.
    const plot::PlotSettings& plotSettings() const { return m_graph.settings(); }
    // The texts of the fields that carry the study, as typed.
    record::FieldTexts fieldTexts() const { return m_ui.fieldTexts(); }

    // Handlers.
    void cmdShowEvaluator_Click();
    void cmdPlot_Click();
    void cmdRoots_Click();
    void cmdExtrema_Click();
    void cmdIntegrate_Click();
    void cmdDerVal_Click();
    void cmdAddCons_Click();
    void cmdRemCons_Click();
    void cboConstants_Change();
    // Stops the running command (Esc does the same).
    void cmdCancel_Click();
    // A command runs on the command thread (see RunCommand).
    bool commandRunning() const { return m_runner.running(); }
    // How long a command runs before its progress and Cancel are shown.
    static constexpr int kProgressDelayMs = CommandRunner::kProgressDelayMs;
    // The fourteen buttons of the Graph frame change the window the fields hold.
    void ChangeWindow(plot::WindowCommand command);
    // The pointer over the graph: its position in the tool tip; a press centres there.
    void Picture1_MouseMove(QPoint pixel, QPoint globalPos);
    void Picture1_MouseDown(QPoint pixel);
    // The picture's size has settled after a change: the graph is drawn at it.
    void Picture1_Resize();
    // Copy puts the graph on the clipboard; Export writes it to a file the user
    // chooses (see GraphPanel::copyToClipboard and exportTo).
    void mnuCopy_Click();
    void mnuExport_Click();
    // View → Show trusted digits only: rows and labels show only the digits
    // their bounds back; the choice is kept in the state file.
    void mnuTrustedDigits_Click();
    // The study file commands and the recent studies' menu (see StudyFiles).
    void mnuOpen_Click();
    void mnuRecent_Click(const QString& path);
    void mnuRecent_AboutToShow();
    void mnuSave_Click();
    void mnuSaveAs_Click();
    // Quit closes the window as its close button does.
    void mnuQuit_Click();
    // The help and about windows (see SideWindows).
    void mnuHelp_Click();
    void mnuAbout_Click();
    // Prints the report of the study: the graph when it is current, the
    // function, constants, settings, results and plot setup. Nothing when the
    // print dialog is cancelled; a failure is told.
    void mnuPrint_Click();
    // A study file dropped on the window or on the graph: the first local file is opened.
    void Form_DragDrop(const QMimeData* data);

    // Opens a study file (see StudyFiles::open): the fields, the constants (each
    // run, the failing ones told and passed over), the results, then Plot.
    bool OpenStudy(const QString& path) { return m_files.open(path); }
    // Saves the study and beside it its graph (see StudyFiles::save).
    bool SaveStudy(const QString& path) { return m_files.save(path); }

    // Whether the study differs from its file as last opened or saved.
    bool studyModified() const { return m_files.modified(); }
    const docs::RecentStudies& recentStudies() const { return m_state.recent(); }

    // The stale marks: discard the results shown, erase the graph.
    void MarkStudyStale();
    void MarkPlotStale();

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void message(const std::string& text) override;
    // What the study files take from the window.
    record::SettingsItems studyItems() const override;
    record::StudyResults studyResults() const override { return m_session.results(); }
    std::optional<QImage> studyGraph() override;
    void showStudy(const docs::StudyFile& study) override;
    void studyFileChanged() override { UpdateTitle(); }
    // Puts a study record into the fields and the constants list.
    void ShowStudyRecord(const record::StudyRecord& record);
    // The check boxes that change a drawing.
    GraphChecks graphChecks() const;
    // The tool tip of a pointer resting over the graph, for the graph now drawn.
    void ShowRestingPointer();
    // Writes a window into the four window fields, in order, and plots it.
    void PlotWindowOf(const plot::PlotWindow& window);
    // Clears the status line and runs a command of the study session through the
    // command runner (the window goes on, what would change the study is
    // disabled); what the session tells meanwhile is shown when it ends. False
    // when the command was cancelled ("Cancelled" in the status line) or the
    // window closed under it.
    bool RunCommand(std::function<void()> command);
    // Roots and Extrema: the list emptied, the command run over the fields'
    // texts, its rows and label shown when it ran to its end, and the bounds and
    // title brought up to date.
    struct ListRows {
        std::vector<std::string> rows;
        std::optional<std::string> label;
    };
    void RunListCommand(QListWidget* list, QLabel* label,
                        const std::function<ListRows(const record::FieldTexts&)>& command);
    // Disables what must not be used under a running command; gives back what
    // it disabled.
    std::vector<QPointer<QObject>> DisableForCommand();
    // Runs the exit steps, once.
    void Form_Unload();
    void UpdateTitle() { setWindowTitle(m_files.title()); }
    // The status line: why a command or plot did nothing; cleared by the next.
    void ShowStatus(std::string_view text);
    void ClearStatus();
    // studyItems() and the Persist box, as the settings file keeps them.
    record::SettingsItems fieldItems() const;
    // The bounds beside the results, as the View menu asks.
    void ShowTrust();
    // Wires the fields to the stale marks, the buttons and menu entries to their handlers.
    void connectControls();

    FrmFunctionsUi m_ui;
    Prompter& m_prompter;
    Dialogs& m_dialogs;
    session::StudySession m_session;
    fields::FieldRules* m_rules = nullptr;
    GraphPanel m_graph;
    CommandRunner m_runner;  // destroyed before the session: a running command is stopped first
    DecimalGuard* m_decimalGuard = nullptr;
    WindowState m_state;
    StudyFiles m_files;
    SideWindows m_windows;
    // Set while the settings file is shown at start-up (the graph is not erased)
    // and while an opened study is shown (the results are not discarded).
    bool m_loadingSettings = false;
    bool m_loadingStudy = false;
    bool m_holdsStudy = false;
    bool m_unloaded = false;
    bool m_closingBySignal = false;
    bool m_sessionEnding = false;  // the desktop session ends: closing asks nothing
    bool m_resizePending = false;  // a resize under a command, drawn at its end
};

}  // namespace tessaly::app
