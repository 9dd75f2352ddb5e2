#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>

#include <cstdint>
#include <functional>
#include <string>

#include "numeric/derivatives.h"
#include "numeric/studyfunction.h"
#include "numeric/studyinputs.h"
#include "plot/graphwindow.h"
#include "plot/plotsettings.h"
#include "plot/scalemap.h"

namespace tessaly::plot {

// What a drawing of the graph needs besides f: the working study values (the
// studied interval and the plotted derivative order), the plot settings, the
// check boxes and the division fields' texts (for the labels' decimals).
struct GraphRequest {
    numeric::StudyInputs study;
    PlotSettings plot;
    bool shade = true;
    bool labelWindow = true;
    bool labelDivisions = true;
    std::string divisionXText = "1";
    std::string divisionYText = "1";
    QColor foreColor = Qt::black;  // the picture's text colour before the drawing
};

struct GraphOutcome {
    std::int32_t error = 0;        // the failure that ended the curve (the window's ierr), 0 after a whole curve
    double currentX = 0;           // the last sample
    double currentValue = 0;       // f or its derivative there
    QColor foreColor = Qt::black;  // the picture's text colour after the drawing
    ScaleMap map;                  // the drawing's scale: pixels to the world and back
};

// Draws the graph (without erasing anything first) with a painter whose
// coordinates are the surface's pixels, 0 to width and 0 to height: the window
// frame, the shading of the studied interval, the divisions, the interval
// marks, the axes, the origin dot, the labels; then beforeCurve() lets the
// picture show them; then the curve of f or of its derivative of the study's
// order, a sample every plot step of reference pixels, with gaps where it cannot
// be computed. The settings must be accepted (plotAccepted).
GraphOutcome drawGraph(QPainter& painter, const Surface& surface, numeric::StudyFunction& f,
                       const GraphRequest& request, const numeric::Factorials& factorials,
                       const std::function<void()>& beforeCurve);

// The surface of an image: its size over its device pixel ratio, exact at ratio 1.
Surface surfaceOf(const QImage& image);

// The same on an image, over its whole surface.
GraphOutcome drawGraph(QImage& image, numeric::StudyFunction& f, const GraphRequest& request,
                       const numeric::Factorials& factorials, const std::function<void()>& beforeCurve);

}  // namespace tessaly::plot
