#pragma once

#include <ostream>

#include "cli/options.h"

namespace tessaly::cli {

// tessaly-cli save [study options] [plot options] -o FILE: runs Roots, Extrema,
// Integral and Plot as a user pressing them would, then saves the study (and the
// graph's bitmap beside it, FILE.bmp, when the graph was drawn). Nothing on
// standard output.
int runSave(const ParsedArgs& args, std::ostream& out, std::ostream& err);

// tessaly-cli report [study options] [plot options] -o FILE.pdf: the printed
// report as the window prints it right after opening the study: its constants
// run, its results (those of a study file), the graph plotted.
int runReport(const ParsedArgs& args, std::ostream& out, std::ostream& err);

}  // namespace tessaly::cli
