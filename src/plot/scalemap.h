#pragma once

#include <cmath>

namespace tessaly::plot {

// Maps the plot window onto a picture of pixelsW x pixelsH pixels: (left, top)
// to the upper-left corner, x growing right and y growing upward. Computed in
// double from the window's single-precision limits.
struct ScaleMap {
    double left = 0;     // world x at the left edge
    double top = 0;      // world y at the top edge
    double width = 1;    // world width (right - left)
    double height = -1;  // world height (bottom - top: negative, y grows upward)
    int pixelsW = 1;
    int pixelsH = 1;

    static ScaleMap of(float lx, float gx, float ly, float gy, int w, int h)
    {
        return ScaleMap{lx, gy, static_cast<double>(gx) - lx, static_cast<double>(ly) - gy, w, h};
    }

    // Pixel coordinates before rounding.
    double px(double x) const { return (x - left) / width * pixelsW; }
    double py(double y) const { return (y - top) / height * pixelsH; }

    // The pixel a coordinate falls on: the nearest, floor(v + 0.5).
    static double nearest(double v) { return std::floor(v + 0.5); }

    // The world position of a pixel position (the mouse).
    double worldX(double pixelX) const { return left + pixelX / pixelsW * width; }
    double worldY(double pixelY) const { return top + pixelY / pixelsH * height; }
};

}  // namespace tessaly::plot
