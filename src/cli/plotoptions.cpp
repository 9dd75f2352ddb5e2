#include "cli/plotoptions.h"

#include <cmath>

#include "cli/studyoptions.h"
#include "common/leadingnumber.h"
#include "plot/graphwindow.h"

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

// The greatest device pixel ratio a picture is drawn at.
constexpr double kMaxScale = 4;

// A whole number of at most five digits, nothing else; nothing otherwise.
std::optional<int> smallWholeNumber(std::string_view text)
{
    if (text.empty() || text.size() > 5)
        return std::nullopt;
    int n = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        n = n * 10 + (c - '0');
    }
    return n;
}

}  // namespace

std::vector<KnownOption> plotOptions()
{
    std::vector<KnownOption> known = fieldOptions(/*plot=*/true);
    for (const auto& s : kSwitches)
        known.push_back({s.option, false, OptionValue::Choice, "on|off", "the graph's check box of that name", "on"});
    known.push_back({"--order", false, OptionValue::Number, "K", "the derivative plotted; 0 is f itself", "0"});
    known.push_back({"--size", false, OptionValue::Text, "WxH", "the picture's size in pixels (plot)", "400x300"});
    known.push_back({"--scale", false, OptionValue::Text, "R", "device pixels to the pixel of an image (plot)", "1"});
    return known;
}

std::vector<KnownOption> outputOptions()
{
    std::vector<KnownOption> known = studyOptions();
    for (const KnownOption& o : plotOptions())
        known.push_back(o);
    known.push_back({"-o", false, OptionValue::Text, "FILE", "the file written"});
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

std::optional<std::string> readPictureOptions(const ParsedArgs& args, PictureOptions& out)
{
    if (const auto v = args.value("--size")) {
        const auto x = v->find('x');
        const auto w = x == std::string::npos ? std::nullopt : smallWholeNumber(std::string_view(*v).substr(0, x));
        const auto h = x == std::string::npos ? std::nullopt : smallWholeNumber(std::string_view(*v).substr(x + 1));
        if (!w || !h || *w < plot::kMinPictureWidth || *w > plot::kMaxPictureWidth || *h < plot::kMinPictureHeight
            || *h > plot::kMaxPictureHeight)
            return "--size takes WIDTHxHEIGHT in pixels, from 16x12 to 8000x6000";
        out.width = *w;
        out.height = *h;
    }
    if (const auto v = args.value("--scale")) {
        const auto r = common::parseDecimal(*v);
        if (!r || !(*r >= 1 && *r <= kMaxScale))
            return "--scale takes a device pixel ratio from 1 to 4";
        out.scale = *r;
    }
    if (std::lround(out.width * out.scale) > plot::kMaxPictureWidth
        || std::lround(out.height * out.scale) > plot::kMaxPictureHeight)
        return "--size and --scale make an image larger than 8000x6000 pixels";
    return std::nullopt;
}

}  // namespace tessaly::cli
