#include "cli/documentcommands.h"

#include <QPageLayout>
#include <QPageSize>

#include "cli/cli.h"
#include "cli/plotcommand.h"
#include "cli/session.h"
#include "cli/studyoptions.h"
#include "docs/report.h"
#include "docs/studyfile.h"
#include "engine/evaluation.h"
#include "numeric/extremafinder.h"
#include "numeric/integrator.h"
#include "numeric/rootfinder.h"

namespace tessaly::cli {
namespace {

// The study the options name, with --order as the plot selection and the plot
// options on top of the study's plot fields; nothing when it cannot be opened.
std::optional<Study> documentStudy(const OutputArgs& a, Session& session, std::ostream& err)
{
    auto study = studyFrom(a.parsed, session, err);
    if (!study)
        return std::nullopt;
    if (const auto order = a.parsed.value("--order"))
        study->texts.derivative = *order;
    study->plot = plotTexts(a.parsed, study->plot);
    return study;
}

}  // namespace

int runSave(std::span<const std::string> args, std::ostream&, std::ostream& err)
{
    OutputArgs a;
    if (const auto status = parseOutputArgs(args, {}, err, a))
        return *status;
    const auto app = guiApplication();
    Session session(err);
    auto study = documentStudy(a, session, err);
    if (!study)
        return kExitFailed;
    if (!functionAccepted(*study, err))
        return kExitUsage;
    docs::StudyResults& results = study->results;
    numeric::StudyInputs in;

    // Each command starts afresh, as a press of its button does, and tells a
    // study it cannot read as the button does.
    results.roots.clear();
    if (readStudy(*study, session, in) == 0) {
        numeric::EngineFunction f(session.engine, session.object, in.equation);
        const numeric::RootsOutcome r = numeric::findRoots(f, in);
        results.roots = r.roots;
        if (r.tableFull)
            session.message(numeric::kRootTableFullMessage);
    } else {
        session.tellReadFailure();
    }
    results.maxima.clear();
    results.minima.clear();
    results.possibleRootCount = 0;
    if (readStudy(*study, session, in) == 0) {
        numeric::EngineFunction f(session.engine, session.object, in.equation);
        const numeric::ExtremaOutcome r = numeric::findExtrema(f, in);
        results.maxima = r.maxPositions;
        results.minima = r.minPositions;
        results.possibleRootCount = r.possibleRoots;
        if (r.tableFull)
            session.message(numeric::kExtremaTableFullMessage);
    } else {
        session.tellReadFailure();
    }
    if (const auto e = readStudy(*study, session, in); e == 0) {
        numeric::EngineFunction f(session.engine, session.object, in.equation);
        const numeric::IntegralOutcome r = numeric::integrate(f, in);
        if (r.value) {
            results.integralValue = *r.value;
            results.integralValid = r.valid;
        }
        if (r.error && r.message)
            session.message(*r.message);
    } else {
        session.tellReadFailure(numeric::integralFailureMessage(e));
    }
    std::optional<StudyGraph> graph;
    if (readStudy(*study, session, in) == 0)
        graph = drawStudyGraph(session, in, study->plot, a.switches);
    else
        session.tellReadFailure();
    const bool current = graph && graph->accepted;

    if (const auto message = docs::saveStudy(a.output, docs::itemsOfTexts(study->texts, study->plot, study->constants.statements()), results, current ? &graph->image : nullptr)) {
        session.message(message->toStdString());
        return kExitFailed;
    }
    return kExitOk;
}

int runReport(std::span<const std::string> args, std::ostream&, std::ostream& err)
{
    OutputArgs a;
    if (const auto status = parseOutputArgs(args, {".pdf"}, err, a))
        return *status;
    const auto app = guiApplication();
    Session session(err);
    auto study = documentStudy(a, session, err);
    if (!study)
        return kExitFailed;
    if (!functionAccepted(*study, err))
        return kExitUsage;

    // As an open does: each constant runs (a failing one is told and passed
    // over), then Plot.
    session.runEachConstant(study->constants);
    numeric::StudyInputs in;
    std::optional<StudyGraph> graph;
    if (readStudy(*study, session, in) == 0)
        graph = drawStudyGraph(session, in, study->plot, a.switches);
    else
        session.tellReadFailure();

    numeric::EngineFunction f(session.engine, session.object, study->texts.equation);
    docs::ReportInput report = docs::reportInputOf(study->texts, study->plot, study->constants.statements(),
                                                   study->results, f, in.errorBound);
    if (graph && graph->accepted) {
        report.graph = &graph->image;
        report.graphOrder = in.derivativeOrder;
    }

    const QPageLayout layout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(15, 15, 15, 15),
                             QPageLayout::Millimeter);
    QString reason;
    if (!docs::writeReportPdf(a.output, layout, report, &reason)) {
        session.message(QStringLiteral("Could not print: %1").arg(reason).toStdString());
        return kExitFailed;
    }
    return kExitOk;
}

}  // namespace tessaly::cli
