#pragma once

#include "plot/plotsettings.h"
#include "plot/scalemap.h"

namespace tessaly::plot {

// The reference picture: 400 x 300 pixels. Its drawing is the graph's own
// (the study's bitmap has this size); at other sizes the drawing scales with it.
constexpr int kPictureWidth = 400;
constexpr int kPictureHeight = 300;
// The sizes a picture may be drawn at, in device pixels.
constexpr int kMinPictureWidth = 16, kMinPictureHeight = 12;
constexpr int kMaxPictureWidth = 8000, kMaxPictureHeight = 6000;

// The height of a division label on the reference picture, and the least it
// has on a larger one.
constexpr double kDivisionLabelHeight = 7;
constexpr double kMinDivisionLabelHeight = 9;

// What a drawing is made for: a picture of width x height pixels (device
// independent), drawn either pixel-exact (a bitmap with one device pixel to the
// pixel: every coordinate rounded to the nearest pixel, nothing antialiased, so
// every pixel has one of the drawing's colours) or smooth (a bitmap of a higher
// density, a vector file, a page: antialiased, coordinates as they fall).
struct Surface {
    int width = kPictureWidth;
    int height = kPictureHeight;
    bool exact = true;
};

// The settings of a drawing and the values derived from them, all single
// precision: one pixel in world units, the distance between curve samples (the
// plot step counted in pixels of the reference width, so any picture has as
// many samples) and the length of the division marks; the scale that maps the
// window onto the picture; and how large the labels are against the reference
// picture's (its height over 300; the division labels at least 9 pixels high
// on a picture larger than the reference).
struct GraphWindow {
    PlotSettings s;
    float unitX = 0;
    float unitY = 0;
    float sampleStep = 0;
    float tickLengthX = 0;
    float tickLengthY = 0;
    double windowLabelScale = 1;
    double divisionLabelScale = 1;
    ScaleMap map;
};

GraphWindow setUpGraphWindow(const PlotSettings& s, int widthPixels = kPictureWidth, int heightPixels = kPictureHeight);

}  // namespace tessaly::plot
