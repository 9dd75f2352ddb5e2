#pragma once

#include <QFont>

namespace tessaly::plot {

// Puts Liberation Mono, Liberation Sans and DejaVu Sans in the place of
// "Courier New", "Arial" and "Verdana". Called once at start-up.
void substituteFonts();

// The labels' face, "verdana", at a character height and average character
// width in pixels (the height to the nearest whole pixel, at least 1; the
// width reached by stretching the face).
QFont labelFont(double heightPixels, double widthPixels);

}  // namespace tessaly::plot
