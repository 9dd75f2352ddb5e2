#include "plot/plotsettings.h"

#include <cfloat>
#include <cmath>

#include "common/rounding.h"
#include "plot/graphwindow.h"
#include "record/valuerules.h"

namespace tessaly::plot {
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

PlotSettings readPlotSettings(const record::FieldTexts& t, bool gridOn)
{
    using namespace record;
    auto single = [&t](Item i) { return toSingle(fieldValue(t[i])); };
    PlotSettings s;
    s.windowLx = single(WindowLx);
    s.windowGx = single(WindowGx);
    s.windowLy = single(WindowLy);
    s.windowGy = single(WindowGy);
    s.originX = single(OriginX);
    s.originY = single(OriginY);
    const double step = common::roundHalfEven(fieldValue(t[PlotStep]));
    s.plotStep = step > INT32_MAX ? INT32_MAX : step < INT32_MIN ? INT32_MIN : static_cast<std::int32_t>(step);
    s.divisionX = single(DivisionX);
    s.divisionY = single(DivisionY);
    s.gridOn = gridOn;
    return s;
}

std::optional<std::string_view> plotRefusal(const PlotSettings& s, std::int32_t order, int widthPixels,
                                            int heightPixels)
{
    if (!record::plotStepAccepted(s.plotStep))
        return record::kPlotStepRefused;
    if (!record::derivativeOrderAccepted(order))
        return record::kDerivativeOrderRefused;
    if (!record::windowPairAccepted(s.windowLx, s.windowGx) || !record::windowPairAccepted(s.windowLy, s.windowGy))
        return record::kWindowPairRefused;
    for (float v : {s.windowLx, s.windowGx, s.windowLy, s.windowGy, s.originX, s.originY, s.divisionX, s.divisionY})
        if (!std::isfinite(v))
            return record::kZoomLimitReached;
    // One pixel in world units, and the sample step, must be finite and move x.
    const GraphWindow w = setUpGraphWindow(s, widthPixels, heightPixels);
    const float unitX = w.unitX, unitY = w.unitY, sample = w.sampleStep;
    const bool drawable = std::isfinite(unitX) && std::isfinite(unitY) && unitX > 0 && unitY > 0
                          && std::isfinite(sample)
                          && static_cast<double>(s.windowLx) + sample != static_cast<double>(s.windowLx)
                          && static_cast<double>(s.windowGx) + sample != static_cast<double>(s.windowGx);
    if (!drawable)
        return record::kZoomLimitReached;
    return std::nullopt;
}

}  // namespace tessaly::plot
