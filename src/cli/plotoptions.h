#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "cli/options.h"

namespace tessaly::cli {

// The plot options: the plot fields of the record's item table (--window-lx
// ... --div-y, field texts), --grid/--shade/--label-window/--label-divisions
// (on|off) and --order K.
std::vector<KnownOption> plotOptions();

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
