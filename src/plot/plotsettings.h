#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "record/studyrecord.h"

namespace tessaly::plot {

// A double as a single-precision value, saturating at the largest single
// instead of overflowing to infinity (NaN stays NaN).
float toSingle(double v);

// The plot's working values: the window, the axes' positions and the division
// sizes in single precision, the plot step and whether the grid is drawn.
struct PlotSettings {
    float windowLx = -20;
    float windowGx = 20;
    float windowLy = -15;
    float windowGy = 15;
    float originX = 0;
    float originY = 0;
    std::int32_t plotStep = 1;
    float divisionX = 1;
    float divisionY = 1;
    bool gridOn = true;
};

// Reads the plot fields with the leading-number reader, without checks: a field
// that does not begin with a number gives 0, a number beyond range saturates.
PlotSettings readPlotSettings(const record::FieldTexts& texts, bool gridOn);

// Why a graph cannot be drawn with these settings and derivative order on a
// picture of this size, in the words the user is told; nothing when it can. It
// needs a plot step from 1 to 80, each lower window limit below its upper one,
// an order from 0 to 33, and finite values, pixel sizes and a sample step that
// move x ("Zoom limit reached" otherwise). Drawing what it refuses would not end.
std::optional<std::string_view> plotRefusal(const PlotSettings& s, std::int32_t order, int widthPixels,
                                            int heightPixels);
inline bool plotAccepted(const PlotSettings& s, std::int32_t order, int widthPixels, int heightPixels)
{
    return !plotRefusal(s, order, widthPixels, heightPixels);
}

}  // namespace tessaly::plot
