#pragma once

#include <QMainWindow>
#include <QPointer>

#include <cstdint>
#include <functional>
#include <vector>
#include <optional>
#include <string>
#include <string_view>

#include "app/commandrunner.h"
#include "app/frmfunctionsui.h"
#include "app/graphpanel.h"
#include "docs/recentstudies.h"
#include "docs/statefile.h"
#include "evaluator/frmevaluator.h"
#include "plot/windowcommand.h"
#include "record/studyformat.h"
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
class FrmFunctions : public QMainWindow, private session::Messages {
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
    void setSettingsPath(const QString& path) { m_settingsPath = path; }
    const QString& settingsPath() const { return m_settingsPath; }
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
    const QString& studyFileName() const { return m_studyFileName; }
    // The graph was drawn and no plot input changed since.
    bool graphCurrent() const { return m_graph.current(); }
    // The plot's working values as the last Plot read them.
    const plot::PlotSettings& plotSettings() const { return m_graph.settings(); }
    // The texts of the fields that carry the study, as typed.
    record::FieldTexts fieldTexts() const;

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
    // Puts the graph picture on the clipboard: the picture as shown and, while
    // the graph is current, the same graph as an SVG drawing.
    void mnuCopy_Click();
    // Asks for a file and writes the study's graph to it as the file's suffix
    // says: a PNG image at the size chosen, an SVG drawing or a PDF page of the
    // picture's size. Nothing when the dialog is cancelled; a graph that cannot
    // be drawn or a file that cannot be written is told.
    void mnuExport_Click();
    // View → Show trusted digits only: rows and labels show only the digits
    // their bounds back; the choice is kept in the state file.
    void mnuTrustedDigits_Click();
    // The study file commands: Open asks for a file and opens it; Save writes to
    // the study's file (asking for one the first time); Save As always asks.
    // Open, a recent study and a dropped file first offer to save a changed study.
    void mnuOpen_Click();
    void mnuRecent_Click(const QString& path);
    // The recent studies' menu: an entry each (a missing file greyed), then
    // "Remove missing studies" and "Clear list".
    void mnuRecent_AboutToShow();
    // Quit closes the window as its close button does.
    void mnuQuit_Click();
    void mnuSave_Click();
    void mnuSaveAs_Click();
    // Help shows the help window on its contents page (one window; a second Help
    // raises it); About shows the about window.
    void mnuHelp_Click();
    void mnuAbout_Click();
    // Prints the report of the study: the graph when it is current, the
    // function, constants, settings, results and plot setup. Nothing when the
    // print dialog is cancelled; a failure is told.
    void mnuPrint_Click();
    // A study file dropped on the window or on the graph: the first local file is opened.
    void Form_DragDrop(const QMimeData* data);

    // Opens a study file: the fields, the constants (each run, the failing ones
    // told and passed over), the results, then Plot. A file that cannot be read
    // or is not a study is told and changes nothing, the study's file name
    // included. Returns whether the study was opened.
    bool OpenStudy(const QString& path);
    // Saves the study (and beside it the graph of that study as a bitmap) to a
    // file; on success it becomes the study's file. A failure is told and
    // changes nothing.
    bool SaveStudy(const QString& path);

    // Whether the study differs from its file as last opened or saved: the
    // fields' values, the constants or the results a study file keeps.
    bool studyModified() const;
    const docs::RecentStudies& recentStudies() const { return m_recent; }

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
    // Puts a study record into the fields and the constants list.
    void ShowStudyRecord(const record::StudyRecord& record);
    // The check boxes that change a drawing.
    GraphChecks graphChecks() const;
    // The tool tip of a pointer resting over the graph, for the graph now drawn.
    void ShowRestingPointer();
    // Writes a window into the four window fields, in order, and plots it.
    void PlotWindowOf(const plot::PlotWindow& window);
    // Runs a command of the study session on the command thread while the
    // window goes on (repaints, tool tips, moving and resizing): the controls
    // that change the study or start a command are disabled, the evaluator
    // window waits, the pointer shows busy-but-working, and after
    // kProgressDelayMs prgCommand and cmdCancel appear. What the session tells
    // meanwhile is shown, in order, when it ends. False when the command was
    // cancelled ("Cancelled" in the status line) or the window closed under it:
    // then nothing of it is to be shown.
    bool RunCommand(std::function<void()> command);
    // Roots and Extrema: the status line cleared and the list emptied, then the
    // command run over the fields' texts; its rows and label shown when it ran
    // to its end, and the bounds and title brought up to date.
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
    // A changed study with a file asks "Save changes to NAME?": true to go on
    // (saved, or discarded), false when the user cancels or the save fails.
    bool MaybeSaveChanges();
    // The study as its file now holds it, after an open or a save.
    void MarkStudySaved();
    // "NAME — Tessaly" ("NAME* — Tessaly" when changed), or "Tessaly" without a file.
    void UpdateTitle();
    // The status line: why a command or plot did nothing; cleared by the next.
    void ShowStatus(std::string_view text);
    void ClearStatus();
    // A study opened or saved heads the recent studies, kept at once.
    void RememberStudy(const QString& path);
    void SaveState();
    void ReadSettingsFile();
    void WriteSettingsFile();
    // The fields' values and the constants, as the files keep them.
    record::SettingsItems fieldItems() const;
    // Puts opened results into the lists and labels.
    void RestoreResults(const record::StudyResults& results);
    // The constants list shows the session's constants.
    void ShowConstants();
    // The bounds beside the results, as the View menu asks.
    void ShowTrust();
    // Where the file dialogs start: the study's folder, else the home folder.
    QString dialogFolder() const;
    // Wires the fields to the stale marks and the editing rules, the buttons
    // and menu entries to their handlers.
    void connectControls();
    void attachFieldRules();

    FrmFunctionsUi m_ui;
    Prompter& m_prompter;
    Dialogs& m_dialogs;
    session::StudySession m_session;
    fields::FieldRules* m_rules = nullptr;
    QString m_studyFileName;
    QString m_settingsPath;
    GraphPanel m_graph;
    CommandRunner m_runner;  // destroyed before the session: a running command is stopped first
    // The evaluator window while it is open, and what it keeps between openings.
    QPointer<evaluator::FrmEvaluator> m_evaluator;
    evaluator::EvaluatorState m_evaluatorState;
    QPointer<QWidget> m_help;
    QPointer<QWidget> m_about;
    DecimalGuard* m_decimalGuard = nullptr;
    docs::StateFile m_state;
    docs::RecentStudies m_recent;
    // The study as its file holds it, since the last open or save.
    record::SettingsItems m_savedItems;
    record::StudyResults m_savedResults;
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
