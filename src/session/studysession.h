#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/class1.h"
#include "engine/engine.h"
#include "engine/userconstants.h"
#include "numeric/commandwatch.h"
#include "numeric/derivatives.h"
#include "numeric/estimates.h"
#include "numeric/extremafinder.h"
#include "numeric/integrator.h"
#include "numeric/rootfinder.h"
#include "numeric/studyfunction.h"
#include "numeric/studyinputs.h"
#include "record/studyformat.h"
#include "record/studyrecord.h"

namespace tessaly::session {

// Where a study session tells the user what the main window shows in message
// boxes (the command line writes them as "message:" lines).
class Messages {
public:
    virtual ~Messages() = default;
    virtual void message(const std::string& text) = 0;
};

// The results of the Value= command as the window shows them.
struct ValueResult {
    std::optional<std::string> label;  // the value's number text; nothing after a failure
    double value = 0;                  // the value itself, with the label
    std::int32_t error = 0;
};

// How far the results of the last commands can be trusted: the bounds of the
// root and extremum rows (in row order), of the integral and of the value, and
// the warnings of each command (a command replaces its own).
struct Trust {
    std::vector<numeric::RootBound> roots;
    std::vector<numeric::ExtremumBound> extrema;
    std::optional<numeric::IntegralBound> integral;
    std::optional<numeric::ValueBound> value;
    std::vector<numeric::Warning> rootWarnings, integralWarnings, valueWarnings;
    // Every warning, roots first, then the integral's and the value's.
    std::vector<numeric::Warning> warnings() const;
};

// The results an opened study shows: the labels and the rows of the two lists.
struct RestoredResults {
    std::optional<std::string> integralLabel;
    std::optional<std::string> rootsLabel;
    std::vector<std::string> rootRows;
    std::optional<std::string> extremaLabel;
    std::vector<std::string> extremaRows;
};

// One study being worked on, without any window: the main window's expression
// engine with the extension object, the user constants, the working study
// values and the results the commands keep (root table, extrema tables, the
// integral and its validity, the current abscissa). Each command reads the study
// from the fields' texts as the window does: the constants run first (a failing
// one is named in the command's message, not by the engine's error event), then
// the fields are read; then the command runs, its results are kept, and what
// the window would show in message boxes goes to Messages. The window and every
// command of the command-line tool go through it.
class StudySession {
public:
    explicit StudySession(Messages& messages);
    ~StudySession();
    StudySession(const StudySession&) = delete;
    StudySession& operator=(const StudySession&) = delete;

    // The extension object, shared with the evaluator window's engine.
    engine::Class1& extension() { return m_object; }
    engine::Engine& engine() { return m_engine; }

    // The user constants. add: a statement the engine cannot compile is refused
    // with the engine's message, a 102nd with "At most 101 user constants can be
    // added."; a text that is not name=value is ignored silently.
    const engine::UserConstants& constants() const { return m_constants; }
    engine::UserConstants::AddResult addConstant(std::string_view text);
    // Removes the constant in slot k and runs the statement that puts its name
    // back (its failure told as usual). False when k is not a slot in use.
    bool removeConstant(int k);
    // Replaces the constants (a study opened, the settings read).
    void setConstants(std::vector<std::string> statements);
    // Runs each constant as an opened study does: the failing ones are passed
    // over and told together in one message, each named.
    void runEachConstant();

    // While a watch is set, the commands (roots, extrema, integral, value) watch
    // f with it: they tell their progress, and a command asked to stop ends
    // with numeric::Cancelled thrown before its next value of f, leaving what a
    // failure before that value would (a rebuilt list empty, the kept integral
    // as it was), with nothing told. Without a watch they run as always.
    void setWatch(numeric::CommandWatch* watch) { m_watch = watch; }

    // The commands, over the fields' texts.
    numeric::RootsOutcome roots(const record::FieldTexts& texts);
    numeric::ExtremaOutcome extrema(const record::FieldTexts& texts);
    numeric::IntegralOutcome integral(const record::FieldTexts& texts);
    // Value=: f or its derivative of the order the text gives, at the abscissa
    // the other text gives.
    ValueResult value(const record::FieldTexts& texts, const std::string& orderText, const std::string& xText);
    // Value= in its two steps, for a table of values: readForValue runs the
    // constants and reads the fields and the order (0, or the failure's number,
    // told as value() tells it); valueAt then gives f or its derivative of that
    // order at x as value() does, as often as wanted, the constants not run again.
    std::int32_t readForValue(const record::FieldTexts& texts, const std::string& orderText);
    ValueResult valueAt(double x);

    // The study a drawing of the graph reads: the constants run, the fields
    // read (into the working study), a failure told as the commands tell it and
    // nothing returned. Quiet tells nothing at all and leaves the working study
    // as it is (a drawing nobody sees).
    std::optional<numeric::StudyInputs> readForGraph(const record::FieldTexts& texts, bool quiet = false);
    // While it lives, engine errors are not told (a drawing nobody sees).
    class Hush {
    public:
        explicit Hush(bool& flag) : m_flag(flag), m_was(flag) { m_flag = true; }
        ~Hush() { m_flag = m_was; }
        Hush(const Hush&) = delete;
        Hush& operator=(const Hush&) = delete;

    private:
        bool& m_flag;
        bool m_was;
    };
    [[nodiscard]] Hush hush() { return Hush(m_quiet); }
    // f over a function text, as the commands evaluate it. The text must
    // outlive the function.
    numeric::EngineFunction functionOf(const std::string& text) { return {m_engine, m_object, text}; }
    // What a drawing left: its last abscissa and the failure that ended its
    // curve (0 after a whole curve).
    void graphDrawn(double currentX, std::int32_t error);

    // The results kept now, as a study file keeps them; results put back from
    // an opened study (the extrema's heights evaluated again with the function
    // text given), and the texts they show; and the results discarded (a study
    // input changed).
    record::StudyResults results() const;
    // The bounds of the results kept now (none for results put back from a file).
    const Trust& trust() const { return m_trust; }
    void setResults(const record::StudyResults& results) { m_results = results; }
    RestoredResults restoreResults(const record::StudyResults& results, const std::string& equation);
    void discardResults();

    // The working values: the study as the last command read it, the current
    // abscissa, the number of the last failure seen (the window's ierr), the
    // factorials and the derivative steps.
    const numeric::StudyInputs& study() const { return m_study; }
    numeric::StudyInputs& study() { return m_study; }
    double currentX() const { return m_currentX; }
    std::int32_t lastError() const { return m_ierr; }
    const numeric::Factorials& factorials() const { return m_factorials; }

private:
    // Runs the constants and reads the fields; 0, or the failure's number (the
    // extension object's own first). A failing constant is named in
    // m_constantProblem.
    std::int32_t readStudy(const record::FieldTexts& texts);
    // After readStudy failed: the command's own message (if any) and the
    // failing constant, in one message.
    void tellReadFailure(const std::optional<std::string>& commandMessage = std::nullopt);
    // The trap: the failure's number as the window records it.
    std::int32_t trap(std::int32_t raised);
    // Runs a command over f, watched when a watch is set.
    template <class Command>
    auto watched(numeric::StudyFunction& f, const numeric::ProgressScale& scale, Command command);

    Messages& m_messages;
    engine::Class1 m_object;
    engine::Engine m_engine;
    engine::UserConstants m_constants;
    numeric::StudyInputs m_study;
    numeric::Factorials m_factorials;
    numeric::DerivativeSteps m_steps;
    record::StudyResults m_results;
    double m_currentX = 0;
    std::int32_t m_ierr = 0;
    bool m_quiet = false;  // engine errors are not told (the constants run, a quiet drawing)
    std::optional<std::string> m_constantProblem;
    Trust m_trust;
    numeric::CommandWatch* m_watch = nullptr;
};

}  // namespace tessaly::session
