#include "cli/plotcommand.h"

#include <QGuiApplication>
#include <QPainter>

#include <iostream>
#include <memory>

#include "cli/cli.h"
#include "cli/plotoptions.h"
#include "cli/session.h"
#include "cli/studyoptions.h"
#include "docs/filename.h"
#include "docs/graphfile.h"
#include "docs/textfile.h"
#include "engine/errors.h"
#include "plot/fonts.h"
#include "plot/graphdriver.h"
#include "plot/graphwindow.h"

namespace tessaly::cli {

std::unique_ptr<QGuiApplication> guiApplication()
{
    if (QCoreApplication::instance())
        return nullptr;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Standard error holds the program's own lines only, not Qt's notes.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type == QtFatalMsg)
            std::cerr << text.toStdString() << std::endl;
    });
    static int argc = 1;
    static char name[] = "tessaly-cli";
    static char* argv[] = {name, nullptr};
    auto app = std::make_unique<QGuiApplication>(argc, argv);
    plot::substituteFonts();
    return app;
}

StudyGraph studyGraph(Session& session, const numeric::StudyInputs& in, const record::FieldTexts& texts,
                      const PlotSwitches& on, QSize size)
{
    StudyGraph out;
    plot::GraphRequest request;
    request.study = in;
    request.plot = plot::readPlotSettings(texts, on.grid);
    request.shade = on.shade;
    request.labelWindow = on.labelWindow;
    request.labelDivisions = on.labelDivisions;
    request.divisionXText = texts[record::DivisionX];
    request.divisionYText = texts[record::DivisionY];
    if (const auto refusal = plot::plotRefusal(request.plot, in.derivativeOrder, size.width(), size.height())) {
        out.refusal = *refusal;
        return out;
    }
    out.accepted = true;
    out.paint = [&session, request](QPainter& painter, const plot::Surface& surface) {
        auto f = session.study.functionOf(request.study.equation);
        const plot::GraphOutcome drawn = plot::drawGraph(painter, surface, f, request, session.study.factorials(), {});
        session.study.graphDrawn(drawn.currentX, drawn.error);
    };
    return out;
}

std::optional<int> parseOutputArgs(const ParsedArgs& args, std::initializer_list<const char*> suffixes,
                                   std::ostream& err, OutputArgs& out)
{
    out.parsed = args;
    auto usage = [&](const std::string& problem) { return usageError(err, problem); };
    std::string names, endings;
    for (const char* suffix : suffixes) {
        names += names.empty() ? "FILE" : "|FILE";
        names += suffix;
        endings += endings.empty() ? "" : " or ";
        endings += suffix;
    }
    const auto output = out.parsed.value("-o");
    if (!output || output->empty())
        return usage("missing -o " + (names.empty() ? std::string("FILE") : names));
    out.output = docs::decodeFileName(QByteArray::fromStdString(*output));
    bool knownSuffix = suffixes.size() == 0;
    for (const char* suffix : suffixes)
        knownSuffix = knownSuffix || out.output.endsWith(QString::fromLatin1(suffix), Qt::CaseInsensitive);
    if (!knownSuffix)
        return usage("the output file must end in " + endings);
    if (const auto problem = readPlotSwitches(out.parsed, out.switches))
        return usage(*problem);
    if (const auto problem = readPictureOptions(out.parsed, out.picture))
        return usage(*problem);
    return std::nullopt;
}

int documentCommand(const ParsedArgs& args, std::initializer_list<const char*> suffixes, std::ostream& err,
                    const DocumentWork& work)
{
    OutputArgs a;
    if (const auto status = parseOutputArgs(args, suffixes, err, a))
        return *status;
    const auto app = guiApplication();
    Session session(err);
    auto texts = studyFrom(a.parsed, session);
    if (!texts)
        return kExitFailed;
    if (!functionAccepted(*texts, err))
        return kExitUsage;
    if (const auto order = a.parsed.value("--order"))
        texts->derivative = *order;
    return work(a, session, *texts);
}

namespace {

// Draws the study's graph and writes the picture.
int plotTo(const OutputArgs& a, Session& session, const record::FieldTexts& texts, std::ostream& err)
{
    const QString& path = a.output;
    const auto in = session.study.readForGraph(texts);
    if (!in)
        return session.failed(session.study.lastError());

    const QSize size(a.picture.width, a.picture.height);
    const StudyGraph graph = studyGraph(session, *in, texts, a.switches, size);
    if (!graph.accepted) {
        err << graph.refusal << "\n";
        return kExitUsage;
    }
    QString reason;
    const auto bytes = docs::graphFileBytes(*docs::graphFormatOf(path), size, a.picture.scale, graph.paint, &reason);
    const std::int32_t error = session.study.lastError();
    if (error && !engine::isTolerated(error) && error != engine::err::ExpectedEndOfStatement)
        return session.failed(error);
    if (bytes && docs::writeFileAtomically(path, bytes->toStdString(), &reason))
        return kExitOk;
    session.message(QStringLiteral("Could not save %1: %2").arg(docs::displayFileName(path), reason).toStdString());
    return kExitFailed;
}

}  // namespace

int runPlot(const ParsedArgs& args, std::ostream&, std::ostream& err)
{
    return documentCommand(args, {".png", ".bmp", ".svg", ".pdf"}, err,
                           [&err](const OutputArgs& a, Session& session, const record::FieldTexts& texts) {
                               return plotTo(a, session, texts, err);
                           });
}

}  // namespace tessaly::cli
