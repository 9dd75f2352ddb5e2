#include "plot/decorations.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "common/numbertext.h"
#include "common/rounding.h"
#include "plot/fonts.h"
#include "plot/labelformat.h"

namespace tessaly::plot {
namespace {

const QColor kYellow(255, 255, 0);
const QColor kGreen(0, 255, 0);
const QColor kRed(255, 0, 0);
const QColor kWindowLabels(0, 192, 192);
const QColor kBlack(0, 0, 0);

// The labels' character height and average width on the reference picture;
// on a larger one the division labels are never less than 9 pixels high.
constexpr double kWindowLabelHeight = 20, kWindowLabelWidth = 16;
constexpr double kDivisionLabelWidth = 5;

// Calls visit(k, v) for the division values v = origin + k·step (single
// precision) that lie in [lo, hi], k taken directly from the range
// ceil((lo - origin)/step)..floor((hi - origin)/step) rather than by repeated
// additions (which stall when the origin is far away); at most `limit` of them.
template <typename Visit>
void divisions(float origin, float step, float lo, float hi, int limit, Visit visit)
{
    if (!(step > 0))
        return;
    const double first = std::ceil((static_cast<double>(lo) - origin) / step);
    const double last = std::floor((static_cast<double>(hi) - origin) / step);
    if (!(std::isfinite(first) && std::isfinite(last)) || std::fabs(first) > 9e15 || std::fabs(last) > 9e15)
        return;
    long long k = static_cast<long long>(first) - 1;  // one either side: the single rounding decides
    for (int n = 0; k <= static_cast<long long>(last) + 1 && n < limit; ++k, ++n) {
        const float v = origin + static_cast<float>(k) * step;
        if (v >= lo && v <= hi)
            visit(k, v);
    }
}

// The spacing of marks or labels along one axis: the size's magnitude, at least
// one pixel.
float markSpacing(float division, float unit)
{
    const float d = std::fabs(division);
    return d < unit ? unit : d;
}

}  // namespace

void drawWindowFrame(Canvas& c, const GraphWindow& w)
{
    c.box(w.s.windowLx, static_cast<double>(w.s.windowLy + w.unitY), static_cast<double>(w.s.windowGx - w.unitX),
          w.s.windowGy, kYellow);
}

void drawDivisions(Canvas& c, const GraphWindow& w)
{
    const PlotSettings& s = w.s;
    const int limit = w.map.pixelsW + w.map.pixelsH + 4;
    const float dx = markSpacing(s.divisionX, w.unitX);
    const float dy = markSpacing(s.divisionY, w.unitY);
    const float y0 = s.gridOn ? s.windowLy : s.originY - w.tickLengthY / 2;
    divisions(s.originX, dx, s.windowLx, s.windowGx, limit,
              [&](long long, float x) { c.line(x, y0, x, static_cast<double>(y0) + w.tickLengthY, kGreen); });
    const float x0 = s.gridOn ? s.windowLx : s.originX - w.tickLengthX / 2;
    divisions(s.originY, dy, s.windowLy, s.windowGy, limit,
              [&](long long, float y) { c.line(x0, y, static_cast<double>(x0) + w.tickLengthX, y, kGreen); });
}

void drawAxes(Canvas& c, const GraphWindow& w)
{
    c.line(w.s.windowLx, w.s.originY, w.s.windowGx, w.s.originY, kRed);
    c.line(w.s.originX, w.s.windowLy, w.s.originX, w.s.windowGy, kRed);
}

void markOrigin(Canvas& c, const GraphWindow& w)
{
    c.circle(0, 0, static_cast<double>((w.s.windowGx - w.s.windowLx) / 100), kRed, kRed);
}

void labelWindow(Canvas& c, const GraphWindow& w)
{
    const PlotSettings& s = w.s;
    c.setForeColor(kWindowLabels);
    // The reference picture's sizes and offsets, scaled with the picture: one
    // pixel there is `k` here.
    const double k = w.windowLabelScale;
    const double height = kWindowLabelHeight * k, width = kWindowLabelWidth * k;
    const QFont font = labelFont(height, width);
    c.setFont(font, false);
    const float midX = (s.windowLx + s.windowGx) / 2;
    const float midY = (s.windowLy + s.windowGy) / 2;
    auto half = [](float v) { return static_cast<double>(common::singleNumberText(v).size()) / 2 + 0.5; };
    auto write = [&](float v) { c.print(QString::fromStdString(printedNumber(v))); };

    c.moveTo(midX - half(s.windowLy) * width * w.unitX, static_cast<double>(s.windowLy) + (height + k) * w.unitY);
    write(s.windowLy);
    c.moveTo(midX - half(s.windowGy) * width * w.unitX, static_cast<double>(s.windowGy) + height / 5 * w.unitY);
    write(s.windowGy);
    c.setFont(font, true);
    c.moveTo(static_cast<double>(s.windowLx) + (height + 2 * k) * w.unitX, midY + half(s.windowLx) * width * w.unitY);
    write(s.windowLx);
    c.moveTo(static_cast<double>(s.windowGx) + height / 5 * w.unitX, midY + half(s.windowGx) * width * w.unitY);
    write(s.windowGx);
}

std::vector<DivisionLabel> divisionLabels(float origin, float division, float unit, float lo, float hi,
                                          std::string_view divisionText, int limit, float labelHeight)
{
    std::vector<DivisionLabel> labels;
    const float d = std::fabs(division);
    if (d == 0)
        return labels;
    const float spacing = d < unit ? static_cast<float>(common::roundHalfEven(unit / d + 0.5f)) * d : d;
    // Every label when unit is not a positive width (plotAccepted refuses such a window).
    const double ratio = std::floor(unit * labelHeight / spacing + 1);
    const long long every = ratio >= 1 ? static_cast<long long>(std::min(ratio, 1e18)) : 1;
    const int decimals = labelDecimals(divisionText);
    const bool point = labelHasPoint(divisionText);
    divisions(origin, spacing, lo, hi, limit, [&](long long k, float v) {
        if (k != 0 && k % every == 0)
            labels.push_back({k, v, labelText(v, decimals, point)});
    });
    return labels;
}

void labelDivisions(Canvas& c, const GraphWindow& w, std::string_view divisionXText, std::string_view divisionYText)
{
    const PlotSettings& s = w.s;
    c.setForeColor(kBlack);
    const double k = w.divisionLabelScale;  // one pixel of the reference picture
    const double ch = kDivisionLabelWidth * k, height = kDivisionLabelHeight * k;
    const QFont font = labelFont(height, ch);
    const int limit = w.map.pixelsW + w.map.pixelsH + 4;
    const auto labelHeight = static_cast<float>(height);

    // y labels: right of the y-axis above the origin, left of it below.
    c.setFont(font, false);
    for (const auto& l :
         divisionLabels(s.originY, s.divisionY, w.unitY, s.windowLy, s.windowGy, divisionYText, limit, labelHeight)) {
        const double x = l.k > 0 ? s.originX + 1.5 * ch * w.unitX
                                 : s.originX - (static_cast<double>(l.text.size()) + 1.5) * ch * w.unitX;
        c.moveTo(x, l.value + height / 2 * w.unitY);
        c.print(QString::fromStdString(l.text));
    }
    // x labels, reading downward: below the x-axis right of the origin, above it left of it.
    c.setFont(font, true);
    for (const auto& l :
         divisionLabels(s.originX, s.divisionX, w.unitX, s.windowLx, s.windowGx, divisionXText, limit, labelHeight)) {
        const double y = l.k > 0 ? s.originY - 1.5 * ch * w.unitY
                                 : s.originY + (static_cast<double>(l.text.size()) + 1.5) * ch * w.unitY;
        c.moveTo(l.value + height / 2 * w.unitX + 2 * k * w.unitX, y);
        c.print(QString::fromStdString(l.text));
    }
}

}  // namespace tessaly::plot
