#include "plot/windowcommand.h"

#include <cfloat>
#include <cmath>

#include "common/leadingnumber.h"
#include "common/numbertext.h"
#include "plot/plotsettings.h"

namespace tessaly::plot {
namespace {

bool finiteSingle(double v) { return std::isfinite(v) && std::fabs(v) <= FLT_MAX; }

// v written as single number text and read back as a field would.
double readBack(float v) { return common::readLeadingNumber(common::singleNumberText(v)).value_or(0); }

// The window as its fields will read back, if every limit is a finite single
// and each lower limit lies below its upper one.
std::optional<PlotWindow> settled(double lx, double gx, double ly, double gy)
{
    for (double v : {lx, gx, ly, gy})
        if (!finiteSingle(v))
            return std::nullopt;
    PlotWindow w{static_cast<float>(lx), static_cast<float>(gx), static_cast<float>(ly), static_cast<float>(gy)};
    const PlotWindow back{static_cast<float>(readBack(w.lx)), static_cast<float>(readBack(w.gx)),
                          static_cast<float>(readBack(w.ly)), static_cast<float>(readBack(w.gy))};
    if (!(back.lx < back.gx) || !(back.ly < back.gy))
        return std::nullopt;
    return back;
}

}  // namespace

std::optional<WindowCommand> windowCommandNamed(std::string_view name)
{
    static constexpr std::pair<std::string_view, WindowCommand> kNames[] = {
        {"out", WindowCommand::ZoomOut},    {"q1", WindowCommand::Quadrant1}, {"q2", WindowCommand::Quadrant2},
        {"q3", WindowCommand::Quadrant3},   {"q4", WindowCommand::Quadrant4}, {"in", WindowCommand::ZoomIn},
        {"right", WindowCommand::PanRight}, {"up", WindowCommand::PanUp},     {"left", WindowCommand::PanLeft},
        {"down", WindowCommand::PanDown},   {"x+", WindowCommand::WiderX},    {"x-", WindowCommand::NarrowerX},
        {"y+", WindowCommand::WiderY},      {"y-", WindowCommand::NarrowerY},
    };
    for (const auto& [n, c] : kNames)
        if (n == name)
            return c;
    return std::nullopt;
}

std::optional<PlotWindow> changeWindow(const PlotWindow& from, WindowCommand command)
{
    float lx = from.lx, gx = from.gx, ly = from.ly, gy = from.gy;
    const float cx = (gx + lx) / 2, cy = (gy + ly) / 2;
    const float hw = (gx - lx) / 2, hh = (gy - ly) / 2;
    for (float v : {cx, cy, hw, hh})
        if (!std::isfinite(v))
            return std::nullopt;
    switch (command) {
    case WindowCommand::ZoomOut:
        lx = lx - hw;
        gx = gx + hw;
        ly = ly - hh;
        gy = gy + hh;
        break;
    case WindowCommand::Quadrant1:
    case WindowCommand::Quadrant2:
    case WindowCommand::Quadrant3:
    case WindowCommand::Quadrant4: {
        const int code = static_cast<int>(command);
        (code < 3 ? ly : gy) = cy;      // the upper quadrants keep the upper half
        (code % 4 < 2 ? lx : gx) = cx;  // the right quadrants keep the right half
        break;
    }
    case WindowCommand::ZoomIn:
        lx = (cx + lx) / 2;
        gx = (cx + gx) / 2;
        ly = (cy + ly) / 2;
        gy = (cy + gy) / 2;
        break;
    case WindowCommand::PanRight:
        lx = lx + hw / 2;
        gx = gx + hw / 2;
        break;
    case WindowCommand::PanUp:
        ly = ly + hh / 2;
        gy = gy + hh / 2;
        break;
    case WindowCommand::PanLeft:
        lx = lx - hw / 2;
        gx = gx - hw / 2;
        break;
    case WindowCommand::PanDown:
        ly = ly - hh / 2;
        gy = gy - hh / 2;
        break;
    // These work in double on the values as the fields read back, and store a single.
    case WindowCommand::WiderX:
        return settled(readBack(lx) - readBack(hw / 2), readBack(gx) + readBack(hw / 2), ly, gy);
    case WindowCommand::NarrowerX:
        return settled(readBack(lx) + readBack(hw / 3), readBack(gx) - readBack(hw / 3), ly, gy);
    case WindowCommand::WiderY:
        return settled(lx, gx, readBack(ly) - readBack(hh / 2), readBack(gy) + readBack(hh / 2));
    case WindowCommand::NarrowerY:
        return settled(lx, gx, readBack(ly) + readBack(hh / 3), readBack(gy) - readBack(hh / 3));
    }
    return settled(lx, gx, ly, gy);
}

std::optional<PlotWindow> centredWindow(const PlotWindow& last, float x, float y)
{
    const float w = last.gx - last.lx, h = last.gy - last.ly;
    if (!std::isfinite(w) || !std::isfinite(h))
        return std::nullopt;
    return settled(
        static_cast<double>(x) - static_cast<double>(w) / 2, static_cast<double>(x) + static_cast<double>(w) / 2,
        static_cast<double>(y) - static_cast<double>(h) / 2, static_cast<double>(y) + static_cast<double>(h) / 2);
}

std::array<std::string, 4> windowTexts(const PlotWindow& w)
{
    return {common::singleNumberText(w.lx), common::singleNumberText(w.gx), common::singleNumberText(w.ly),
            common::singleNumberText(w.gy)};
}

PlotWindow windowOfTexts(const record::FieldTexts& texts)
{
    const PlotSettings s = readPlotSettings(texts, true);
    return {s.windowLx, s.windowGx, s.windowLy, s.windowGy};
}

}  // namespace tessaly::plot
