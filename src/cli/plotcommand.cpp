#include "cli/plotcommand.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>

#include <memory>

#include "cli/cli.h"
#include "cli/session.h"
#include "cli/studyoptions.h"
#include "docs/textfile.h"
#include "engine/errors.h"
#include "plot/fonts.h"
#include "plot/graphdriver.h"
#include "plot/graphwindow.h"

namespace tessaly::cli {
namespace {

struct PlotField {
    const char* option;
    std::string plot::PlotTexts::*field;
};

constexpr PlotField kPlotFields[] = {
    {"--window-lx", &plot::PlotTexts::windowLx}, {"--window-gx", &plot::PlotTexts::windowGx},
    {"--window-ly", &plot::PlotTexts::windowLy}, {"--window-gy", &plot::PlotTexts::windowGy},
    {"--origin-x", &plot::PlotTexts::originX},   {"--origin-y", &plot::PlotTexts::originY},
    {"--div-x", &plot::PlotTexts::divisionX},    {"--div-y", &plot::PlotTexts::divisionY},
    {"--plot-step", &plot::PlotTexts::plotStep},
};

constexpr const char* kSwitches[] = {"--grid", "--shade", "--label-window", "--label-divisions"};

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
    for (const auto& f : kPlotFields)
        known.push_back({f.option, false});
    for (const char* s : kSwitches)
        known.push_back({s, false});
    known.push_back({"--order", false});
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
    bool on[4] = {true, true, true, true};
    for (int i = 0; i < 4; ++i) {
        if (const auto v = parsed.value(kSwitches[i])) {
            if (*v != "on" && *v != "off")
                return usage(std::string(kSwitches[i]) + " takes on or off");
            on[i] = *v == "on";
        }
    }

    const auto app = guiApplication();
    Session session(err);
    Study study = studyFrom(parsed, session, err);
    if (const auto order = parsed.value("--order"))
        study.texts.derivative = *order;
    numeric::StudyInputs in;
    if (const auto e = readStudy(study, session, in))
        return session.failed(e);

    plot::PlotTexts texts;
    for (const auto& f : kPlotFields)
        if (const auto v = parsed.value(f.option))
            texts.*f.field = *v;
    plot::GraphRequest request;
    request.study = in;
    request.plot = plot::readPlotSettings(texts, on[0]);
    request.shade = on[1];
    request.labelWindow = on[2];
    request.labelDivisions = on[3];
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
