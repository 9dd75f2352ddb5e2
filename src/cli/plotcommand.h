#pragma once

#include <QGuiApplication>
#include <QImage>

#include <cstdint>
#include <memory>
#include <ostream>
#include <span>
#include <string>

#include "cli/plotoptions.h"
#include "numeric/studyinputs.h"

namespace tessaly::cli {

class Session;

// tessaly-cli plot [study options] [plot options] -o FILE.png|FILE.bmp: draws the
// graph as the Plot button does and writes the picture.
int runPlot(std::span<const std::string> args, std::ostream& out, std::ostream& err);

// The program's Qt application, for fonts and images (no display is needed);
// nothing when one exists already.
std::unique_ptr<QGuiApplication> guiApplication();

// The graph of a study as the window's Plot draws it, on a white picture of
// 400 x 300 pixels. Not accepted (nothing drawn) when the plot settings cannot
// be drawn; otherwise error is the failure that ended the curve, if any.
struct StudyGraph {
    bool accepted = false;
    QImage image;
    std::int32_t error = 0;
};
StudyGraph drawStudyGraph(Session& session, const numeric::StudyInputs& in, const plot::PlotTexts& texts,
                          const PlotSwitches& on);

// The reason a plot is refused, for standard error.
inline constexpr const char* kPlotRefused =
    "the plot settings cannot be drawn: the plot step must be 1 to 80, each lower limit below its upper limit and "
    "the derivative order 0 to 33";

}  // namespace tessaly::cli
