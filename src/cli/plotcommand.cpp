#include "cli/plotcommand.h"

#include <QGuiApplication>
#include <QImage>

#include <iostream>
#include <memory>

#include "cli/cli.h"
#include "cli/plotoptions.h"
#include "cli/session.h"
#include "cli/studyoptions.h"
#include "docs/studyfile.h"
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

StudyGraph drawStudyGraph(Session& session, const numeric::StudyInputs& in, const plot::PlotTexts& texts,
                          const PlotSwitches& on)
{
    StudyGraph out;
    plot::GraphRequest request;
    request.study = in;
    request.plot = plot::readPlotSettings(texts, on.grid);
    request.shade = on.shade;
    request.labelWindow = on.labelWindow;
    request.labelDivisions = on.labelDivisions;
    request.divisionXText = texts.divisionX;
    request.divisionYText = texts.divisionY;
    if (!plot::plotAccepted(request.plot, in.derivativeOrder, plot::kPictureWidth, plot::kPictureHeight))
        return out;
    out.accepted = true;
    out.image = QImage(plot::kPictureWidth, plot::kPictureHeight, QImage::Format_RGB32);
    out.image.fill(Qt::white);
    numeric::EngineFunction f(session.engine, session.object, in.equation);
    out.error = plot::drawGraph(out.image, f, request, numeric::factorialTable(), {}).error;
    return out;
}

int runPlot(std::span<const std::string> args, std::ostream&, std::ostream& err)
{
    std::vector<KnownOption> known = studyOptions();
    for (const KnownOption& o : plotOptions())
        known.push_back(o);
    known.push_back({"-o", false});
    ParsedArgs parsed;
    auto usage = [&](const std::string& problem) {
        err << problem << "\n" << usageText();
        return kExitUsage;
    };
    if (const auto problem = parseOptions(args, known, parsed))
        return usage(*problem);
    if (const auto problem = studyOptionsProblem(parsed))
        return usage(*problem);
    if (!parsed.positionals.empty())
        return usage("unexpected argument " + parsed.positionals[0]);
    const auto output = parsed.value("-o");
    if (!output)
        return usage("missing -o FILE.png|FILE.bmp");
    const QString path = QString::fromStdString(*output);
    const QString suffix = path.section(QLatin1Char('.'), -1).toLower();
    if (!path.contains(QLatin1Char('.')) || (suffix != QLatin1String("png") && suffix != QLatin1String("bmp")))
        return usage("the output file must end in .png or .bmp");
    PlotSwitches on;
    if (const auto problem = readPlotSwitches(parsed, on))
        return usage(*problem);

    const auto app = guiApplication();
    Session session(err);
    auto study = studyFrom(parsed, session, err);
    if (!study)
        return kExitFailed;
    if (const auto order = parsed.value("--order"))
        study->texts.derivative = *order;
    numeric::StudyInputs in;
    if (const auto e = readStudy(*study, session, in))
        return session.failed(e);

    const StudyGraph graph = drawStudyGraph(session, in, plotTexts(parsed, study->plot), on);
    if (!graph.accepted) {
        err << kPlotRefused << "\n";
        return kExitUsage;
    }
    if (graph.error && !engine::isTolerated(graph.error) && graph.error != engine::err::ExpectedEndOfStatement)
        return session.failed(graph.error);
    const QImage& image = graph.image;

    QString reason;
    if (docs::writeImageFile(path, image, suffix.toLatin1().constData(), &reason))
        return kExitOk;
    session.message(QStringLiteral("Could not save %1: %2").arg(path, reason).toStdString());
    return kExitFailed;
}

}  // namespace tessaly::cli
