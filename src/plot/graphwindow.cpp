#include "plot/graphwindow.h"

#include <algorithm>

namespace tessaly::plot {

GraphWindow setUpGraphWindow(const PlotSettings& s, int widthPixels, int heightPixels)
{
    GraphWindow w;
    w.s = s;
    const auto W = static_cast<float>(widthPixels), H = static_cast<float>(heightPixels);
    w.sampleStep = (s.windowGx - s.windowLx) / static_cast<float>(kPictureWidth) * static_cast<float>(s.plotStep);
    w.unitX = (s.windowGx - s.windowLx) / W;
    w.unitY = (s.windowGy - s.windowLy) / H;
    w.map = ScaleMap::of(s.windowLx, s.windowGx, s.windowLy, s.windowGy, widthPixels, heightPixels);
    w.tickLengthX = s.windowGx - s.windowLx;
    w.tickLengthY = s.windowGy - s.windowLy;
    if (!s.gridOn) {
        w.tickLengthX /= 20;
        w.tickLengthY /= 20;
    }
    w.windowLabelScale = static_cast<double>(heightPixels) / kPictureHeight;
    w.divisionLabelScale = w.windowLabelScale;
    if (widthPixels > kPictureWidth || heightPixels > kPictureHeight)
        w.divisionLabelScale = std::max(w.divisionLabelScale, kMinDivisionLabelHeight / kDivisionLabelHeight);
    return w;
}

}  // namespace tessaly::plot
