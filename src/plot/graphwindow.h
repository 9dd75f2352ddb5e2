#pragma once

#include "plot/plotsettings.h"
#include "plot/scalemap.h"

namespace tessaly::plot {

// The picture's size in pixels.
constexpr int kPictureWidth = 400;
constexpr int kPictureHeight = 300;

// The settings of a drawing and the values derived from them, all single
// precision: one pixel in world units, the distance between curve samples and
// the length of the division marks; and the scale that maps the window onto
// the picture.
struct GraphWindow {
    PlotSettings s;
    float unitX = 0;
    float unitY = 0;
    float sampleStep = 0;
    float tickLengthX = 0;
    float tickLengthY = 0;
    ScaleMap map;
};

GraphWindow setUpGraphWindow(const PlotSettings& s, int widthPixels = kPictureWidth, int heightPixels = kPictureHeight);

}  // namespace tessaly::plot
