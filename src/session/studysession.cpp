#include "session/studysession.h"

#include <algorithm>
#include <cmath>

#include "common/numbertext.h"
#include "engine/errors.h"
#include "engine/evaluation.h"
#include "record/fieldreading.h"

namespace tessaly::session {
std::vector<numeric::Warning> Trust::warnings() const
{
    std::vector<numeric::Warning> all = rootWarnings;
    all.insert(all.end(), integralWarnings.begin(), integralWarnings.end());
    all.insert(all.end(), valueWarnings.begin(), valueWarnings.end());
    return all;
}

StudySession::StudySession(Messages& messages) : m_messages(messages), m_factorials(numeric::factorialTable())
{
    m_object.attachErrorField(&m_ierr);
    m_engine.setErrorObserver([this](const engine::ScriptError& e) {
        m_ierr = e.number;
        if (!m_quiet && engine::mainWindowShowsError(e.number))
            m_messages.message(e.description);
    });
    engine::prepareWindowEngine(m_engine, m_object);
}

StudySession::~StudySession() { m_object.detachErrorField(&m_ierr); }

engine::UserConstants::AddResult StudySession::addConstant(std::string_view text)
{
    engine::ScriptError refusal;
    const auto result = m_constants.add(text, m_engine, refusal);
    if (result == engine::UserConstants::AddResult::Refused)
        m_messages.message(engine::errorMessage(refusal));
    else if (result == engine::UserConstants::AddResult::Full)
        m_messages.message("At most 101 user constants can be added.");
    return result;
}

bool StudySession::removeConstant(int k)
{
    if (k < 0 || k >= m_constants.count())
        return false;
    // A failure, such as a name the engine will not assign, is told as usual.
    m_engine.executeStatement(m_constants.remove(k));
    return true;
}

void StudySession::setConstants(std::vector<std::string> statements) { m_constants.assign(std::move(statements)); }

void StudySession::runEachConstant()
{
    std::vector<engine::UserConstants::Failure> failures;
    {
        const Hush quiet(m_quiet);
        failures = m_constants.executeEach(m_engine, m_object);
    }
    std::string told;
    for (const auto& f : failures) {
        m_ierr = f.error.number;
        if (!told.empty())
            told += '\n';
        told += m_constants.failureMessage(f);
    }
    if (!told.empty())
        m_messages.message(told);
}

std::int32_t StudySession::readStudy(const record::FieldTexts& texts)
{
    m_constantProblem.reset();
    engine::UserConstants::Failure failure;
    {
        const Hush quiet(m_quiet);
        failure = m_constants.execute(m_engine);
    }
    if (failure) {
        m_constantProblem = m_constants.failureMessage(failure);
        return failure.error.number;
    }
    return record::readStudyInputs(texts, m_study);
}

void StudySession::tellReadFailure(const std::optional<std::string>& commandMessage)
{
    std::string text = commandMessage.value_or(std::string());
    if (m_constantProblem) {
        if (!text.empty())
            text += '\n';
        text += *m_constantProblem;
    }
    if (!text.empty())
        m_messages.message(text);
}

std::int32_t StudySession::trap(std::int32_t raised) { return m_ierr = engine::trappedError(raised, m_object); }

template <class Command>
auto StudySession::watched(numeric::StudyFunction& f, const numeric::ProgressScale& scale, Command command)
{
    if (!m_watch)
        return command(f);
    numeric::WatchedFunction w(f, *m_watch, scale);
    return command(w);
}

namespace {

// The grid's progress: how much of the interval has been walked.
numeric::ProgressScale gridScale(const numeric::StudyInputs& in)
{
    return {numeric::ProgressScale::Kind::Interval, in.lower, in.upper, 1};
}

// The integral's progress: the values of f computed, of the 4 * 2^M + 1 that M
// halvings take (the panel count stops doubling past 2^30).
numeric::ProgressScale integralScale(const numeric::StudyInputs& in)
{
    const int halvings = std::clamp(in.maxIterations, 0, 30);
    return {numeric::ProgressScale::Kind::Work, 0, 1, std::ldexp(1.0, halvings + 2) + 1};
}

}  // namespace

numeric::RootsOutcome StudySession::roots(const record::FieldTexts& texts)
{
    m_object.ierr = 0;
    m_results.roots.clear();  // the table follows the list it mirrors
    m_trust.roots.clear();
    m_trust.rootWarnings.clear();
    if (const auto e = readStudy(texts)) {
        numeric::RootsOutcome out;
        out.error = trap(e);  // no grid yet: the command ends here
        tellReadFailure();
        return out;
    }
    auto f = functionOf(m_study.equation);
    numeric::RootsOutcome r =
        watched(f, gridScale(m_study), [&](numeric::StudyFunction& g) { return numeric::findRoots(g, m_study); });
    m_results.roots = r.roots;
    m_currentX = r.currentX;
    if (r.error)
        m_ierr = r.error;
    if (r.tableFull)
        m_messages.message(numeric::kRootTableFullMessage);
    {
        const Hush hush(m_quiet);  // the bounds' own values of f tell nothing
        m_trust.roots = numeric::rootBounds(f, r, m_study);
        m_trust.rootWarnings = r.warnings;
    }
    return r;
}

numeric::ExtremaOutcome StudySession::extrema(const record::FieldTexts& texts)
{
    m_object.ierr = 0;
    m_results.maxima.clear();  // the counts follow the list they mirror
    m_results.minima.clear();
    m_results.possibleRootCount = 0;
    m_trust.extrema.clear();
    if (const auto e = readStudy(texts)) {
        numeric::ExtremaOutcome out;
        out.error = trap(e);
        tellReadFailure();
        return out;
    }
    auto f = functionOf(m_study.equation);
    numeric::ExtremaOutcome r =
        watched(f, gridScale(m_study), [&](numeric::StudyFunction& g) { return numeric::findExtrema(g, m_study); });
    m_results.maxima = r.maxPositions;
    m_results.minima = r.minPositions;
    m_results.possibleRootCount = r.possibleRoots;
    m_currentX = r.currentX;
    if (r.error)
        m_ierr = r.error;
    if (r.tableFull)
        m_messages.message(numeric::kExtremaTableFullMessage);
    {
        const Hush hush(m_quiet);
        m_trust.extrema = numeric::extremumBounds(f, r, m_study);
    }
    return r;
}

numeric::IntegralOutcome StudySession::integral(const record::FieldTexts& texts)
{
    numeric::IntegralOutcome r;
    if (const auto e = readStudy(texts)) {
        r.error = trap(e);
        r.message = numeric::integralFailureMessage(r.error);
        tellReadFailure(r.message);
        return r;
    }
    auto f = functionOf(m_study.equation);
    r = watched(f, integralScale(m_study), [&](numeric::StudyFunction& g) { return numeric::integrate(g, m_study); });
    m_currentX = r.currentX;
    if (r.value) {  // the stored integral changes only when the command reaches its end
        m_results.integralValue = *r.value;
        m_results.integralValid = r.valid;
        const Hush hush(m_quiet);
        const numeric::IntegralTrust t = numeric::integralBound(f, r, m_study);
        m_trust.integral = t.bound;
        m_trust.integralWarnings = t.warnings;
    }
    if (r.error) {
        m_ierr = r.error;
        if (r.message)
            m_messages.message(*r.message);
    }
    return r;
}

ValueResult StudySession::value(const record::FieldTexts& texts, const std::string& orderText, const std::string& xText)
{
    ValueResult out;
    if (const auto e = readForValue(texts, orderText)) {
        out.error = e;
        return out;
    }
    double x = 0;
    if (const auto e = record::readNumber(xText, x)) {
        out.error = trap(e);
        return out;
    }
    return valueAt(x);
}

std::int32_t StudySession::readForValue(const record::FieldTexts& texts, const std::string& orderText)
{
    m_object.ierr = 0;
    if (const auto e = readStudy(texts)) {
        const std::int32_t trapped = trap(e);
        tellReadFailure();
        return trapped;
    }
    if (const auto e = record::readWholeNumber(orderText, m_study.derivativeOrder))
        return trap(e);
    return 0;
}

ValueResult StudySession::valueAt(double x)
{
    auto f = functionOf(m_study.equation);
    const numeric::ValueOutcome r =
        watched(f, {numeric::ProgressScale::Kind::Interval, x, x, 1}, [&](numeric::StudyFunction& g) {
            return numeric::valueAt(g, m_study.derivativeOrder, x, m_factorials, m_steps);
        });
    m_currentX = x;
    m_steps = r.steps;
    ValueResult out;
    if (r.error)
        m_ierr = out.error = r.error;
    out.label = r.label;
    out.value = r.value;
    m_trust.value.reset();
    m_trust.valueWarnings.clear();
    if (r.label) {
        const Hush hush(m_quiet);
        const numeric::ValueTrust t = numeric::valueBound(f, r, m_study.derivativeOrder, x, m_factorials);
        m_trust.value = t.bound;
        m_trust.valueWarnings = t.warnings;
    }
    return out;
}

std::optional<numeric::StudyInputs> StudySession::readForGraph(const record::FieldTexts& texts, bool quiet)
{
    if (quiet) {
        // A drawing nobody sees: nothing is told, and the working study stays.
        const Hush silent(m_quiet);
        numeric::StudyInputs in;
        if (m_constants.execute(m_engine) || record::readStudyInputs(texts, in))
            return std::nullopt;
        m_object.ierr = 0;
        return in;
    }
    m_object.ierr = 0;
    if (const auto e = readStudy(texts)) {
        trap(e);
        tellReadFailure();
        return std::nullopt;
    }
    return m_study;
}

void StudySession::graphDrawn(double currentX, std::int32_t error)
{
    m_currentX = currentX;
    m_ierr = error;
}

record::StudyResults StudySession::results() const { return m_results; }

RestoredResults StudySession::restoreResults(const record::StudyResults& results, const std::string& equation)
{
    m_results = results;
    m_trust = Trust{};  // a file keeps no bounds
    RestoredResults out;
    if (results.integralValid)
        out.integralLabel = common::numberText(results.integralValue);
    if (!results.roots.empty()) {
        out.rootsLabel = std::to_string(results.roots.size()) + " roots";
        for (double x : results.roots)
            out.rootRows.push_back(common::numberText(x));
    }
    const auto maxima = static_cast<std::int32_t>(results.maxima.size());
    const auto minima = static_cast<std::int32_t>(results.minima.size());
    if (maxima + minima + results.possibleRootCount == 0)
        return out;
    out.extremaLabel = numeric::extremaLabel(maxima, minima, results.possibleRootCount);
    // The heights are not kept: f is evaluated again, with the opened function.
    m_study.equation = equation;
    auto f = functionOf(m_study.equation);
    m_object.ierr = 0;
    auto rows = [&](bool maximum, const std::vector<double>& positions) {
        for (const numeric::Height& h : numeric::heightsAt(f, positions)) {
            if (h.error)
                m_ierr = h.error;
            out.extremaRows.push_back(h.error ? std::string(maximum ? "MAX: [" : "MIN: [") + common::numberText(h.x)
                                                    + " , error " + std::to_string(h.error) + "]"
                                              : numeric::extremumRow(maximum, /*spaced=*/true, h.x, h.y));
        }
    };
    rows(false, results.minima);
    rows(true, results.maxima);
    return out;
}

void StudySession::discardResults()
{
    // The counts go; the positions and the count of possible roots stay, as the
    // next scan or an opened study replaces them.
    m_results.integralValid = false;
    m_results.roots.clear();
    m_results.maxima.clear();
    m_results.minima.clear();
    const auto value = m_trust.value;  // Value= shows no study result: its bound stays
    const auto valueWarnings = m_trust.valueWarnings;
    m_trust = Trust{};
    m_trust.value = value;
    m_trust.valueWarnings = valueWarnings;
}

}  // namespace tessaly::session
