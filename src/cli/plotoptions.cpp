#include "cli/plotoptions.h"

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
    std::vector<KnownOption> known;
    for (const auto& f : kPlotFields)
        known.push_back({f.option, false});
    for (const auto& s : kSwitches)
        known.push_back({s.option, false});
    known.push_back({"--order", false});
    return known;
}

plot::PlotTexts plotTexts(const ParsedArgs& args, plot::PlotTexts texts)
{
    for (const auto& f : kPlotFields)
        if (const auto v = args.value(f.option))
            texts.*f.field = *v;
    return texts;
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
