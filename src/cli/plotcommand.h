#pragma once

#include <QGuiApplication>
#include <QImage>

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <string_view>

#include "cli/plotoptions.h"
#include "numeric/studyinputs.h"
#include "record/studyrecord.h"

namespace tessaly::cli {

class Session;

// tessaly-cli plot [study options] [plot options] -o FILE.png|FILE.bmp: draws the
// graph as the Plot button does and writes the picture.
int runPlot(const ParsedArgs& args, std::ostream& out, std::ostream& err);

// The options of a command that writes a file: the study and plot options and -o FILE.
std::vector<KnownOption> outputOptions();

// The arguments of a command that writes a file: the study and plot options and
// -o FILE, whose name must end in one of `suffixes` (any case) when some are given.
struct OutputArgs {
    ParsedArgs parsed;
    QString output;
    PlotSwitches switches;
};
// Nothing when the arguments are usable; otherwise the usage error is written
// and its exit status returned.
std::optional<int> parseOutputArgs(const ParsedArgs& args, std::initializer_list<const char*> suffixes,
                                   std::ostream& err, OutputArgs& out);

// A command that writes a file from a study: parses the arguments (-o with one
// of the suffixes), starts the Qt application, reads the study (its plot
// selection from --order) and runs the work; the exit status.
using DocumentWork = std::function<int(const OutputArgs&, Session&, const record::FieldTexts&)>;
int documentCommand(const ParsedArgs& args, std::initializer_list<const char*> suffixes, std::ostream& err,
                    const DocumentWork& work);

// The program's Qt application, for fonts and images (no display is needed);
// nothing when one exists already.
std::unique_ptr<QGuiApplication> guiApplication();

// The graph of a study as the window's Plot draws it, on a white picture of
// 400 x 300 pixels. Not accepted (nothing drawn) when the plot settings cannot
// be drawn, refusal saying why; otherwise error is the failure that ended the
// curve, if any.
struct StudyGraph {
    bool accepted = false;
    std::string_view refusal;
    QImage image;
    std::int32_t error = 0;
};
StudyGraph drawStudyGraph(Session& session, const numeric::StudyInputs& in, const record::FieldTexts& texts,
                          const PlotSwitches& on);

}  // namespace tessaly::cli
