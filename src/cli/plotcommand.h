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
#include "docs/graphfile.h"
#include "numeric/studyinputs.h"
#include "record/studyrecord.h"

namespace tessaly::cli {

class Session;

// tessaly-cli plot [study options] [plot options] -o FILE.png|FILE.bmp|FILE.svg|FILE.pdf:
// draws the graph as the Plot button does and writes the picture, an image at
// --size and --scale, or a drawing of --size.
int runPlot(const ParsedArgs& args, std::ostream& out, std::ostream& err);

// The arguments of a command that writes a file: the study and plot options and
// -o FILE, whose name must end in one of `suffixes` (any case) when some are given.
struct OutputArgs {
    ParsedArgs parsed;
    QString output;
    PlotSwitches switches;
    PictureOptions picture;
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

// The graph of a study as the window's Plot draws it, for a picture of the
// size given. Not accepted when the plot settings cannot be drawn there,
// refusal saying why; otherwise paint draws it on any surface, each drawing
// leaving its last abscissa and the failure that ended its curve (0 after a
// whole curve) in the session's working values.
struct StudyGraph {
    bool accepted = false;
    std::string_view refusal;
    docs::GraphPaint paint;
};
StudyGraph studyGraph(Session& session, const numeric::StudyInputs& in, const record::FieldTexts& texts,
                      const PlotSwitches& on, QSize size = QSize(plot::kPictureWidth, plot::kPictureHeight));

}  // namespace tessaly::cli
