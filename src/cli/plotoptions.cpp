#include "cli/plotoptions.h"

#include "cli/studyoptions.h"

namespace tessaly::cli {
namespace {

struct PlotSwitch {
    const char* option;
    bool PlotSwitches::*on;
};

constexpr PlotSwitch kSwitches[] = {
    {"--grid", &PlotSwitches::grid},
    {"--shade", &PlotSwitches::shade},
    {"--label-window", &PlotSwitches::labelWindow},
    {"--label-divisions", &PlotSwitches::labelDivisions},
};

}  // namespace

std::vector<KnownOption> plotOptions()
{
    std::vector<KnownOption> known = fieldOptions(/*plot=*/true);
    for (const auto& s : kSwitches)
        known.push_back({s.option, false, OptionValue::Choice, "on|off", "the graph's check box of that name", "on"});
    known.push_back({"--order", false, OptionValue::Number, "K", "the derivative plotted; 0 is f itself", "0"});
    return known;
}

std::optional<std::string> readPlotSwitches(const ParsedArgs& args, PlotSwitches& out)
{
    for (const auto& s : kSwitches) {
        if (const auto v = args.value(s.option)) {
            if (*v != "on" && *v != "off")
                return std::string(s.option) + " takes on or off";
            out.*s.on = *v == "on";
        }
    }
    return std::nullopt;
}

}  // namespace tessaly::cli
