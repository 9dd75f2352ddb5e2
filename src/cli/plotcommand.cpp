#include "cli/plotcommand.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>

#include <memory>

#include "cli/cli.h"
#include "cli/plotoptions.h"
#include "cli/session.h"
#include "cli/studyoptions.h"
#include "docs/textfile.h"
#include "engine/errors.h"
#include "plot/fonts.h"
#include "plot/graphdriver.h"
#include "plot/graphwindow.h"

namespace tessaly::cli {
namespace {

// The program's Qt application, for fonts and images; no display is needed.
std::unique_ptr<QGuiApplication> guiApplication()
{
    if (QCoreApplication::instance())
        return nullptr;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "tessaly-cli";
    static char* argv[] = {name, nullptr};
    auto app = std::make_unique<QGuiApplication>(argc, argv);
    plot::substituteFonts();
    return app;
}

}  // namespace

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
    Study study = studyFrom(parsed, session, err);
    if (const auto order = parsed.value("--order"))
        study.texts.derivative = *order;
    numeric::StudyInputs in;
    if (const auto e = readStudy(study, session, in))
        return session.failed(e);

    const plot::PlotTexts texts = plotTexts(parsed);
    plot::GraphRequest request;
    request.study = in;
    request.plot = plot::readPlotSettings(texts, on.grid);
    request.shade = on.shade;
    request.labelWindow = on.labelWindow;
    request.labelDivisions = on.labelDivisions;
    request.divisionXText = texts.divisionX;
    request.divisionYText = texts.divisionY;
    if (!plot::plotAccepted(request.plot, in.derivativeOrder, plot::kPictureWidth, plot::kPictureHeight)) {
        err << "the plot settings cannot be drawn: the plot step must be 1 to 80, each lower limit below its upper "
               "limit and the derivative order 0 to 33\n";
        return kExitUsage;
    }

    QImage image(plot::kPictureWidth, plot::kPictureHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    numeric::EngineFunction f(session.engine, session.object, in.equation);
    const plot::GraphOutcome drawn = plot::drawGraph(image, f, request, numeric::factorialTable(), {});
    if (drawn.error && !engine::isTolerated(drawn.error) && drawn.error != engine::err::ExpectedEndOfStatement)
        return session.failed(drawn.error);

    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, suffix.toLatin1());
    const QImage written = suffix == QLatin1String("bmp") ? image.convertToFormat(QImage::Format_RGB888) : image;
    QString reason;
    if (!writer.write(written))
        reason = writer.errorString();
    else if (docs::writeFileAtomically(path, bytes.toStdString(), &reason))
        return kExitOk;
    session.message(QStringLiteral("Could not save %1: %2").arg(path, reason).toStdString());
    return kExitFailed;
}

}  // namespace tessaly::cli
