#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "cli/options.h"
#include "plot/plotsettings.h"

namespace tessaly::cli {

// The plot options: --window-lx/-gx/-ly/-gy, --origin-x/-y, --div-x/-y,
// --plot-step (field texts), --grid/--shade/--label-window/--label-divisions
// (on|off) and --order K.
std::vector<KnownOption> plotOptions();

// The plot fields' texts: those given (the window's defaults unless a study sets
// them), replaced by the options given.
plot::PlotTexts plotTexts(const ParsedArgs& args, plot::PlotTexts texts = {});

// The check boxes grid, shade, label window and label divisions (all on unless
// an option turns one off), or the usage problem.
struct PlotSwitches {
    bool grid = true;
    bool shade = true;
    bool labelWindow = true;
    bool labelDivisions = true;
};
std::optional<std::string> readPlotSwitches(const ParsedArgs& args, PlotSwitches& out);

}  // namespace tessaly::cli
