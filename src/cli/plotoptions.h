#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "cli/options.h"

namespace tessaly::cli {

// The plot options: the plot fields of the record's item table (--window-lx
// ... --div-y, field texts), --grid/--shade/--label-window/--label-divisions
// (on|off), --order K, and the picture's --size WxH and --scale R.
std::vector<KnownOption> plotOptions();

// The options of a command that writes a file: the study and plot options and -o FILE.
std::vector<KnownOption> outputOptions();

// The check boxes grid, shade, label window and label divisions (all on unless
// an option turns one off), or the usage problem.
struct PlotSwitches {
    bool grid = true;
    bool shade = true;
    bool labelWindow = true;
    bool labelDivisions = true;
};
std::optional<std::string> readPlotSwitches(const ParsedArgs& args, PlotSwitches& out);

// The picture plot draws: --size WxH, its size in pixels, whole numbers from
// 16x12 to 8000x6000 (default 400x300); --scale R, the device pixel ratio of a
// PNG or BMP image, from 1 to 4 (default 1), the image at most 8000 x 6000
// device pixels. Or the usage problem.
struct PictureOptions {
    int width = 400;
    int height = 300;
    double scale = 1;
};
std::optional<std::string> readPictureOptions(const ParsedArgs& args, PictureOptions& out);

}  // namespace tessaly::cli
