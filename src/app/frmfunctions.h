#pragma once

#include <QMainWindow>

#include <array>
#include <cstdint>

#include "app/frmfunctionsui.h"
#include "engine/engine.h"
#include "numeric/studyinputs.h"

namespace tessaly::engine {
class Class1;
}

namespace tessaly::app {

class Prompter;

// The main window: the study fields, the result lists, the plot fields and the
// graph picture, with one expression engine of its own that shares the program's
// extension object. Handlers call into the numerical commands and show what they
// return.
class FrmFunctions : public QMainWindow {
    Q_OBJECT
public:
    FrmFunctions(engine::Class1& shared, Prompter& prompter, QWidget* parent = nullptr);
    ~FrmFunctions() override;

    // Loads the window: the engine with the extension object and the start-up
    // statements, the factorial table, the derivative list, the initial state.
    void Form_Load();

    const FrmFunctionsUi& ui() const { return m_ui; }

    // The number of the last evaluation error seen by this window.
    std::int32_t ierr = 0;

    // Working study values, refreshed by ReadStudyInputs at the start of a command
    // (EquationText, StudyLower, StudyUpper, SubintervalCount, ErrorBound,
    // MaxIterations, PlotDerivativeOrder), and the working values of the scans.
    numeric::StudyInputs study;
    double CurrentX = 0;
    double GridStep = 0;
    double LastGridX = 0;

    // 0! to 33!, filled at load.
    std::array<double, 34> Factorials{};

    // Results of the Roots command: slots 1..RootCount (slot 0 is never used).
    std::int32_t RootCount = 0;
    std::array<double, 256> RootTable{};

    // Handlers.
    void cmdRoots_Click();

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // Runs the user constants, then reads the study fields into the working
    // values; returns 0 or the number of the failure.
    std::int32_t ReadStudyInputs();
    // The engine's error event: records the number and shows the description
    // unless the window tolerates the number silently.
    void ScriptControl1_Error(const engine::ScriptError& error);
    // Runs the exit steps, once.
    void Form_Unload();

    FrmFunctionsUi m_ui;
    engine::Class1& m_shared;
    Prompter& m_prompter;
    engine::Engine ScriptControl1;
    bool m_unloaded = false;
};

}  // namespace tessaly::app
