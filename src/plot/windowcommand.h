#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "plot/plotsettings.h"

namespace tessaly::plot {

// The plot window's limits, single precision.
struct PlotWindow {
    float lx = -20;
    float gx = 20;
    float ly = -15;
    float gy = 15;

    bool operator==(const PlotWindow&) const = default;
};

// The window buttons' command codes.
enum class WindowCommand {
    ZoomOut = 0,
    Quadrant1,
    Quadrant2,
    Quadrant3,
    Quadrant4,
    ZoomIn,
    PanRight,
    PanUp,
    PanLeft,
    PanDown,
    WiderX,
    NarrowerX,
    WiderY,
    NarrowerY,
};

// The command named on the command line: in, out, q1..q4, left, right, up, down, x+, x-, y+, y-.
std::optional<WindowCommand> windowCommandNamed(std::string_view name);

// The window a command makes of the fields' window: zoom about the centre,
// a quadrant, a pan by a quarter, or 1.5 times wider or two thirds as wide
// (those on the limits as their fields would read back). The result is what the
// fields will read back once written as single-precision number text. Nothing
// when a limit or an intermediate value would not be a finite single, or a
// lower limit would not lie below its upper one: the command then changes nothing.
std::optional<PlotWindow> changeWindow(const PlotWindow& from, WindowCommand command);

// The window centred on a point, keeping the width and height of `last`.
std::optional<PlotWindow> centredWindow(const PlotWindow& last, float x, float y);

// The four fields' texts for a window: single-precision number text.
std::array<std::string, 4> windowTexts(const PlotWindow& w);

// The window the four window fields hold, read as Plot reads them (a field that
// does not begin with a number counts as 0, one beyond range saturates).
PlotWindow windowOfTexts(const record::FieldTexts& texts);

}  // namespace tessaly::plot
