#include "cli/documentcommands.h"

#include <QImage>
#include <QPageLayout>
#include <QPageSize>

#include "cli/cli.h"
#include "cli/plotcommand.h"
#include "cli/progress.h"
#include "cli/session.h"
#include "cli/studyoptions.h"
#include "docs/report.h"
#include "docs/studyfile.h"

namespace tessaly::cli {

int runSave(const ParsedArgs& args, std::ostream&, std::ostream& err)
{
    return documentCommand(
        args, {}, err, [&err](const OutputArgs& a, Session& session, const record::FieldTexts& texts) {
            session::StudySession& study = session.study;
            // The four commands, as a user pressing their buttons would.
            runWithProgress(session, "roots", err, [&] { study.roots(texts); });
            runWithProgress(session, "extrema", err, [&] { study.extrema(texts); });
            runWithProgress(session, "integral", err, [&] { study.integral(texts); });
            std::optional<QImage> bitmap;
            if (const auto in = study.readForGraph(texts)) {
                const StudyGraph graph = studyGraph(session, *in, texts, a.switches);
                if (graph.accepted)
                    bitmap = docs::graphImage(QSize(plot::kPictureWidth, plot::kPictureHeight), 1, graph.paint);
            }

            const auto items = record::itemsOfTexts(texts, study.constants().statements());
            if (const auto message = docs::saveStudy(a.output, items, study.results(), bitmap ? &*bitmap : nullptr)) {
                session.message(message->toStdString());
                return kExitFailed;
            }
            return kExitOk;
        });
}

int runReport(const ParsedArgs& args, std::ostream&, std::ostream& err)
{
    return documentCommand(
        args, {".pdf"}, err, [](const OutputArgs& a, Session& session, const record::FieldTexts& texts) {
            session::StudySession& study = session.study;
            // As an open does: each constant runs (a failing one is told and passed
            // over), then Plot.
            study.runEachConstant();
            std::optional<StudyGraph> graph;
            if (const auto in = study.readForGraph(texts))
                graph = studyGraph(session, *in, texts, a.switches);

            // The window's report of the same study (a study file keeps no bounds).
            docs::ReportInput report = docs::sessionReport(study, texts, study.constants().statements());
            if (graph && graph->accepted) {
                report.graph = graph->paint;
                report.graphOrder = study.study().derivativeOrder;
            }
            const QPageLayout layout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(15, 15, 15, 15),
                                     QPageLayout::Millimeter);
            QString reason;
            if (!docs::writeReportPdf(a.output, layout, report, &reason)) {
                session.message(QStringLiteral("Could not print: %1").arg(reason).toStdString());
                return kExitFailed;
            }
            return kExitOk;
        });
}

}  // namespace tessaly::cli
