#pragma once

#include <QMainWindow>
#include <QPointer>

#include <array>
#include <cstdint>
#include <functional>
#include <optional>

#include "app/frmfunctionsui.h"
#include "docs/settingsfile.h"
#include "docs/studyfile.h"
#include "engine/engine.h"
#include "engine/userconstants.h"
#include "evaluator/frmevaluator.h"
#include "numeric/derivatives.h"
#include "numeric/studyinputs.h"
#include "plot/graphdriver.h"
#include "plot/plotsettings.h"
#include "plot/scalemap.h"
#include "plot/windowcommand.h"

class QMimeData;

namespace tessaly::engine {
class Class1;
}
namespace tessaly::fields {
class FieldRules;
}

namespace tessaly::app {

class DecimalGuard;
class Dialogs;
class Prompter;

// The main window: the study fields, the result lists, the plot fields and the
// graph picture, with one expression engine of its own that shares the program's
// extension object. Handlers call into the numerical commands and show what they
// return.
class FrmFunctions : public QMainWindow {
    Q_OBJECT
public:
    FrmFunctions(engine::Class1& shared, Prompter& prompter, Dialogs& dialogs, QWidget* parent = nullptr);
    ~FrmFunctions() override;

    // Loads the window: the engine with the extension object and the start-up
    // statements, the factorial table, the derivative list, the initial state;
    // then the study named on the command line is opened, or when there is none
    // (or it cannot be opened) the settings file is read into the fields.
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

    // The study file Save writes to; empty until a study is opened or saved.
    QString StudyFileName;

    // The number of the last evaluation error seen by this window.
    std::int32_t ierr = 0;

    // Working study values, refreshed by ReadStudyInputs at the start of a command
    // (EquationText, StudyLower, StudyUpper, SubintervalCount, ErrorBound,
    // MaxIterations, PlotDerivativeOrder), and the working values of the scans.
    numeric::StudyInputs study;
    double CurrentX = 0;
    double GridStep = 0;
    double LastGridX = 0;

    // 0! to 33!, filled at load, and the steps of the derivative operation.
    numeric::Factorials Factorials{};
    numeric::DerivativeSteps DerivativeStepState;

    // Results of the Roots command: slots 1..RootCount (slot 0 is never used).
    std::int32_t RootCount = 0;
    std::array<double, 256> RootTable{};
    // Results of the Extrema command: slots 1..MaxCount and 1..MinCount.
    std::int32_t MaxCount = 0;
    std::int32_t MinCount = 0;
    std::int32_t PossibleRootCount = 0;
    std::array<double, 256> MaxPositions{};
    std::array<double, 256> MinPositions{};
    // Result of the Integral command.
    double IntegralValue = 0;
    bool IntegralValid = false;

    // The user constants (ConstantTable, ConstantCount), mirrored by the list of cboConstants.
    const engine::UserConstants& constants() const { return m_constants; }

    // The plot's working values (WindowLx ... DivisionY, PlotStep, GridOn), as
    // the last Plot read them, and the value at CurrentX the plot computed last.
    plot::PlotSettings plotSettings;
    double CurrentValue = 0;

    // Set while the settings file is shown at start-up (the graph is not erased)
    // and while an opened study is shown (the results are not discarded).
    bool LoadingSettings = false;
    bool LoadingStudy = false;
    // The graph was drawn and no plot input changed since.
    bool GraphCurrent = false;

    // Handlers.
    // Shows the evaluator window, creating it first when it is not open.
    void cmdShowEvaluator_Click();
    void cmdPlot_Click();
    void cmdRoots_Click();
    void cmdExtrema_Click();
    void cmdIntegrate_Click();
    void cmdDerVal_Click();
    void cmdAddCons_Click();
    void cmdRemCons_Click();
    void cboConstants_Change();
    void cmdZoomOut_Click() { ChangeWindow(plot::WindowCommand::ZoomOut); }
    void cmdZoomQ1_Click() { ChangeWindow(plot::WindowCommand::Quadrant1); }
    void cmdZoomQ2_Click() { ChangeWindow(plot::WindowCommand::Quadrant2); }
    void cmdZoomQ3_Click() { ChangeWindow(plot::WindowCommand::Quadrant3); }
    void cmdZoomQ4_Click() { ChangeWindow(plot::WindowCommand::Quadrant4); }
    void cmdZoomIn_Click() { ChangeWindow(plot::WindowCommand::ZoomIn); }
    void cmdPanRight_Click() { ChangeWindow(plot::WindowCommand::PanRight); }
    void cmdPanUp_Click() { ChangeWindow(plot::WindowCommand::PanUp); }
    void cmdPanLeft_Click() { ChangeWindow(plot::WindowCommand::PanLeft); }
    void cmdPanDown_Click() { ChangeWindow(plot::WindowCommand::PanDown); }
    void cmdIncWindX_Click() { ChangeWindow(plot::WindowCommand::WiderX); }
    void cmdDecWindX_Click() { ChangeWindow(plot::WindowCommand::NarrowerX); }
    void cmdIncWindY_Click() { ChangeWindow(plot::WindowCommand::WiderY); }
    void cmdDecWindY_Click() { ChangeWindow(plot::WindowCommand::NarrowerY); }
    // The pointer over the graph: its position in the tool tip; a press centres there.
    void Picture1_MouseMove(QPoint pixel, QPoint globalPos);
    void Picture1_MouseDown(QPoint pixel);
    // Puts the graph picture on the clipboard.
    void mnuCopy_Click();
    // The study file commands: Open asks for a file and opens it; Save writes to
    // the study's file (asking for one the first time); Save As always asks.
    void mnuOpen_Click();
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
    void Form_OLEDragDrop(const QMimeData* data);

    // Opens a study file: the fields, the constants (each run, a failing one
    // told and passed over), the results, then Plot. A file that cannot be read
    // or is not a study is told and changes nothing, the study's file name
    // included. Returns whether the study was opened.
    bool OpenStudy(const QString& path);
    // Saves the study (and the graph's bitmap while the graph is current) to a
    // file; on success it becomes the study's file. A failure is told and
    // changes nothing.
    bool SaveStudy(const QString& path);

    // Changes the window the fields hold by a window command and plots it; a
    // command that cannot make a usable window changes nothing.
    void ChangeWindow(plot::WindowCommand command);

    // The stale marks: discard the results shown, erase the graph.
    void MarkStudyStale();
    void MarkPlotStale();

    // Puts a study record into the fields and the constants list.
    void ShowStudyRecord(const docs::StudyRecord& record);

    // Draws the graph into the picture as it stands (not erased first), from the
    // plot's working values; refreshes the study values itself.
    void DrawGraph();
    // The graph of the study the fields hold, as Plot draws it: the picture
    // while the graph is current, otherwise drawn off screen without changing
    // the window; nothing when Plot would draw nothing.
    std::optional<QImage> GraphOfFields();
    // Copies the plot fields into the plot's working values.
    void ReadPlotSettings();
    // The fields' texts as typed: the study's and the plot's.
    numeric::StudyTexts studyFieldTexts() const;
    plot::PlotTexts plotFieldTexts() const;

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // Runs the user constants, then reads the study fields into the working
    // values; returns 0 or the number of the failure. A constant that fails is
    // not told by the engine's error event: the command names it in its own
    // message (TellReadFailure).
    std::int32_t ReadStudyInputs();
    // Tells the user which constant made ReadStudyInputs fail, after the
    // command's own message when it has one; nothing for other failures unless
    // the command has a message.
    void TellReadFailure(const std::optional<std::string>& commandMessage = std::nullopt);
    // The engine's error event: records the number and shows the description
    // unless the window tolerates the number silently.
    void ScriptControl1_Error(const engine::ScriptError& error);
    // Runs the exit steps, once.
    void Form_Unload();
    void ReadSettingsFile();
    void WriteSettingsFile();
    // The fields' values and the constants, as the files keep them.
    docs::SettingsItems fieldItems() const;
    // The results the numerical commands keep now.
    docs::StudyResults results() const;
    // Puts opened results into the result variables, lists and labels.
    void RestoreResults(const docs::StudyResults& results);
    // Runs each constant statement; the failing ones are passed over and told
    // together in one message, each named.
    void ExecuteConstants();
    // Where the file dialogs start: the study's folder, else the home folder.
    QString dialogFolder() const;
    // The constants list item that is selected, or -1.
    int selectedConstant() const;

    // Writes a window into the four window fields, in order, and plots it.
    void PlotWindowOf(const plot::PlotWindow& window);

    // What a drawing of the graph needs besides f, from the check boxes and fields.
    plot::GraphRequest graphRequest(const numeric::StudyInputs& in, const plot::PlotSettings& settings) const;
    // Wires each field's text changes to the stale marks they fire.
    void connectStaleMarks();
    // Attaches the entry fields' editing rules.
    void attachFieldRules();

    FrmFunctionsUi m_ui;
    fields::FieldRules* m_rules = nullptr;
    // The last graph drawn: its scale and its window. Nothing before the first
    // drawing and after a drawing was refused; erasing the graph keeps it.
    struct DrawnGraph {
        plot::ScaleMap map;
        plot::PlotWindow window;
    };
    std::optional<DrawnGraph> m_drawn;
    // The evaluator window while it is open, and what it keeps between openings.
    QPointer<evaluator::FrmEvaluator> m_evaluator;
    QPointer<QWidget> m_help;
    QPointer<QWidget> m_about;
    evaluator::EvaluatorState m_evaluatorState;
    std::int32_t m_graphOrder = 0;  // the derivative order the graph shows
    QColor m_foreColor = Qt::black;  // the picture's text colour, as the last drawing left it
    engine::Class1& m_shared;
    Prompter& m_prompter;
    Dialogs& m_dialogs;
    engine::Engine ScriptControl1;
    engine::UserConstants m_constants;
    QString m_settingsPath;
    DecimalGuard* m_decimalGuard = nullptr;
    // Set while the user constants run inside a command or an open (their
    // failures are told by the command, not by the engine's error event), and
    // while the graph is drawn off screen.
    bool m_quietEngine = false;
    std::optional<std::string> m_constantProblem;  // the last ReadStudyInputs's failing constant
    bool m_unloaded = false;
    bool m_holdsStudy = false;
    bool m_closingBySignal = false;
};

}  // namespace tessaly::app
