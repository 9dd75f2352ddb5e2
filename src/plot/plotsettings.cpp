#include "plot/plotsettings.h"

#include <cfloat>
#include <cmath>

#include "common/leadingnumber.h"
#include "common/rounding.h"

namespace tessaly::plot {
namespace {

// The number a field begins with; beyond the double range, the largest double
// of the number's sign.
double fieldValue(const std::string& text)
{
    if (const auto v = common::readLeadingNumber(text))
        return *v;
    for (char c : text) {
        if (c == '-')
            return -DBL_MAX;
        if (c != ' ' && c != '\t' && c != '\n' && c != '+')
            break;
    }
    return DBL_MAX;
}

}  // namespace

float toSingle(double v)
{
    if (std::isnan(v))
        return static_cast<float>(v);
    if (v > FLT_MAX)
        return FLT_MAX;
    if (v < -FLT_MAX)
        return -FLT_MAX;
    return static_cast<float>(v);
}

PlotSettings readPlotSettings(const PlotTexts& t, bool gridOn)
{
    PlotSettings s;
    s.windowLx = toSingle(fieldValue(t.windowLx));
    s.windowGx = toSingle(fieldValue(t.windowGx));
    s.windowLy = toSingle(fieldValue(t.windowLy));
    s.windowGy = toSingle(fieldValue(t.windowGy));
    s.originX = toSingle(fieldValue(t.originX));
    s.originY = toSingle(fieldValue(t.originY));
    const double step = common::roundHalfEven(fieldValue(t.plotStep));
    s.plotStep = step > INT32_MAX ? INT32_MAX : step < INT32_MIN ? INT32_MIN : static_cast<std::int32_t>(step);
    s.divisionX = toSingle(fieldValue(t.divisionX));
    s.divisionY = toSingle(fieldValue(t.divisionY));
    s.gridOn = gridOn;
    return s;
}

bool plotAccepted(const PlotSettings& s, std::int32_t order, int widthPixels, int heightPixels)
{
    if (s.plotStep < 1 || s.plotStep > 80 || order < 0 || order > 33)
        return false;
    if (!(s.windowLx < s.windowGx) || !(s.windowLy < s.windowGy))
        return false;
    for (float v : {s.windowLx, s.windowGx, s.windowLy, s.windowGy, s.originX, s.originY, s.divisionX, s.divisionY})
        if (!std::isfinite(v))
            return false;
    // One pixel in world units, and the sample step, must be finite and move x.
    const float unitX = (s.windowGx - s.windowLx) / static_cast<float>(widthPixels);
    const float unitY = (s.windowGy - s.windowLy) / static_cast<float>(heightPixels);
    const float sample = unitX * static_cast<float>(s.plotStep);
    return std::isfinite(unitX) && std::isfinite(unitY) && unitX > 0 && unitY > 0 && std::isfinite(sample)
        && static_cast<double>(s.windowLx) + sample != static_cast<double>(s.windowLx)
        && static_cast<double>(s.windowGx) + sample != static_cast<double>(s.windowGx);
}

}  // namespace tessaly::plot
