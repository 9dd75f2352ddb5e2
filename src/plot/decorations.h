#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "plot/canvas.h"
#include "plot/graphwindow.h"

namespace tessaly::plot {

// The graph's decorations, in world units, a unit of UnitX or UnitY serving as
// one pixel; the labels' sizes and offsets are the reference picture's, scaled
// with the picture (GraphWindow).

// The window frame: a yellow outline along the edges, its bottom and right sides
// one pixel inside.
void drawWindowFrame(Canvas& c, const GraphWindow& w);

// Green division marks counted from the origin (full-length grid lines with the
// grid), never closer than one pixel; a negative size draws as its magnitude.
void drawDivisions(Canvas& c, const GraphWindow& w);

// The red axes at the origin fields' positions.
void drawAxes(Canvas& c, const GraphWindow& w);

// A solid red dot at the point (0, 0) of the plane.
void markOrigin(Canvas& c, const GraphWindow& w);

// The window's limits written along its edges in (0, 192, 192).
void labelWindow(Canvas& c, const GraphWindow& w);

// The numbers of the divisions in black, thinned so labels stand about a
// character height apart, with the decimals the division fields' texts give.
// A division size of 0 is not labelled.
void labelDivisions(Canvas& c, const GraphWindow& w, std::string_view divisionXText, std::string_view divisionYText);

// The labels along one axis: for each labelled division its index from the
// origin (negative below or left of it) and its text. Every N-th division is
// labelled, N = whole part of unit × labelHeight / spacing + 1 (labelHeight in
// pixels), the spacing being the division's magnitude or, below one unit, a
// whole multiple of it; a division of 0 has no labels.
struct DivisionLabel {
    long long k;
    float value;
    std::string text;
};
std::vector<DivisionLabel> divisionLabels(float origin, float division, float unit, float lo, float hi,
                                          std::string_view divisionText, int limit, float labelHeight = 7);

}  // namespace tessaly::plot
