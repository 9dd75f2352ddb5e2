#pragma once

#include <QRect>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "engine/engine.h"

class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace tessaly::engine {
class Class1;
}

namespace tessaly::evaluator {

// What outlives the evaluator window during a run: the memory and where the
// window stood when it was last closed.
struct EvaluatorState {
    double memory = 0;
    std::optional<QRect> geometry;
};

// Asks the user, as the program's message boxes do.
using ErrorReporter = std::function<void(const QString& caption, const QString& text)>;

// The evaluator window: a calculator over the expression language with a keypad,
// a memory and a list of results. It has its own engine, which shares the
// program's extension object (pi, halfpi, e, x and the math functions) but not
// the main window's user constants.
class FrmEvaluator : public QWidget {
    Q_OBJECT
public:
    FrmEvaluator(engine::Class1& shared, EvaluatorState& state, std::function<double()> currentX,
                 ErrorReporter reportError, QWidget* parent = nullptr);

    // The number of the last evaluation error seen by this window.
    std::int32_t ierr = 0;

    // Inserts a text at the caret (a selection is kept, after the text) and puts
    // the caret behind it.
    void InsertAtCaret(const QString& s);

    // Handlers.
    void cmdExecute_Click();
    void cmdClearEntry_Click();
    void cmdClearAll_Click();
    void cmdMemPlus_Click();
    void cmdMemMinus_Click();
    void cmdMemRecall_Click();
    void cmdMemClear_Click();
    void cmdChangeSign_Click();
    void lstResults_Click(QListWidgetItem* item);

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void build();
    void Engine_Error(const engine::ScriptError& error);
    void memoryStep(int sign);

    engine::Class1& m_shared;
    EvaluatorState& m_state;
    std::function<double()> m_currentX;
    ErrorReporter m_reportError;
    engine::Engine m_engine;
    std::string EquationText;

    QLineEdit* txtEquation = nullptr;
    QLabel* lblResult = nullptr;
    QLabel* lblMemory = nullptr;
    QListWidget* lstResults = nullptr;
};

}  // namespace tessaly::evaluator
