// The default graph, pixel by pixel where the drawing's own rules fix the colour.
// Expected positions come from the scale map of the default window: a world point
// (x, y) falls on the pixel (floor((x + 20) × 10 + 0.5), floor((15 − y) × 10 + 0.5)).

#include <QImage>

#include <gtest/gtest.h>

#include <cmath>
#include <deque>
#include <string>

#include "engine/class1.h"
#include "engine/engine.h"
#include "engine/evaluation.h"
#include "numeric/studyfunction.h"
#include "plot/graphdriver.h"
#include "plot/graphwindow.h"
#include "record/fieldreading.h"

using namespace tessaly;

QT_BEGIN_NAMESPACE
inline void PrintTo(const QColor& c, std::ostream* os)
{
    *os << "(" << c.red() << ", " << c.green() << ", " << c.blue() << ")";
}
QT_END_NAMESPACE

namespace {

const QColor kWhite(255, 255, 255), kYellow(255, 255, 0), kGreen(0, 255, 0), kRed(255, 0, 0), kBlue(0, 0, 255),
    kLightRed(255, 160, 160), kBlack(0, 0, 0);

struct Graph {
    engine::Class1 object;
    engine::Engine engine;
    QImage image{plot::kPictureWidth, plot::kPictureHeight, QImage::Format_RGB32};
    plot::GraphRequest request;
    std::string text;
    plot::GraphOutcome outcome;

    explicit Graph(const std::string& f = "pi/3*x*sin(x)*tanh(x)") : text(f)
    {
        engine::prepareWindowEngine(engine, object);
        record::readStudyInputs(record::defaultTexts(), request.study);
        request.study.equation = f;
        request.plot = plot::readPlotSettings(record::defaultTexts(), true);
        image.fill(Qt::white);
    }

    Graph& draw()
    {
        numeric::EngineFunction fn(engine, object, text);
        outcome = plot::drawGraph(image, fn, request, numeric::factorialTable(), {});
        return *this;
    }

    QColor at(int x, int y) const { return image.pixelColor(x, y); }
};

int px(double x) { return static_cast<int>(std::floor((x + 20) * 10 + 0.5)); }
int py(double y) { return static_cast<int>(std::floor((15 - y) * 10 + 0.5)); }
double f(double x) { return std::atan(1.0) * 4 / 3 * x * std::sin(x) * std::tanh(x); }

struct Pixel {
    int x, y;
    QColor colour;
    const char* what;
};

TEST(DefaultGraph, PixelsWhereTheRulesFixTheColour)
{
    Graph g;
    g.draw();
    EXPECT_EQ(g.outcome.error, 0);
    const Pixel rows[] = {
        {399, py(-0.5), kYellow, "the frame's right side, one pixel inside"},
        {px(19.45), 299, kYellow, "the frame's bottom side"},
        {px(-19), py(14.5), kGreen, "a grid line at x = -19"},
        {px(-19.5), py(14), kGreen, "a grid line at y = 14"},
        {px(-19.45), py(14.45), kWhite, "inside a grid cell"},
        {px(5), py(0), kRed, "the x-axis"},
        {px(0), py(10), kRed, "the y-axis"},
        {px(0), py(0.3), kRed, "the origin dot, 3 pixels above its centre (the curve crosses the centre)"},
        {px(0.3), py(-0.2), kRed, "the origin dot, 3 pixels from its centre"},
        {px(-8), py(-4), kBlue, "the mark at the interval's lower end"},
        {px(8), py(4), kBlue, "the mark at the interval's upper end"},
        {px(-6.5), py(f(-6.5) / 2), kLightRed, "hatching between the axis and f"},
        {px(-8.5), py(-1.5), kWhite, "no hatching left of the studied interval"},
        {px(10), py(f(10)), kBlack, "a curve sample at x = 10"},
        {px(-13), py(f(-13)), kBlack, "a curve sample at x = -13"},
    };
    for (const auto& r : rows)
        EXPECT_EQ(g.at(r.x, r.y), r.colour) << r.what << " at (" << r.x << ", " << r.y << ")";
}

TEST(DefaultGraph, DivisionMarksWithoutTheGrid)
{
    Graph g;
    g.request.plot.gridOn = false;
    g.request.shade = false;
    g.request.labelDivisions = false;
    g.request.labelWindow = false;
    g.text = "99";  // a curve above the window
    g.draw();
    // marks 1/20 of the height long, centred on the x-axis: rows 143..157 (0.75 up and down)
    EXPECT_EQ(g.at(px(-19), py(0.7)), kGreen);
    EXPECT_EQ(g.at(px(-19), py(0.9)), kWhite);
    EXPECT_EQ(g.at(px(-19), py(5)), kWhite);
    // y marks 1/20 of the width long (2 units), centred on the y-axis
    EXPECT_EQ(g.at(px(0.9), py(7)), kGreen);
    EXPECT_EQ(g.at(px(1.2), py(7)), kWhite);
}

TEST(Curve, UndefinedPointsLeaveGaps)
{
    // a window where every sample is a whole number: 1/x fails at x = 0 exactly
    Graph pole("1/x");
    record::FieldTexts window = record::defaultTexts();
    const std::pair<record::Item, std::string> limits[] = {
        {record::WindowLx, "-200"}, {record::WindowGx, "200"}, {record::WindowLy, "-2"}, {record::WindowGy, "2"}};
    for (const auto& [item, text] : limits)
        window[item] = text;
    pole.request.plot = plot::readPlotSettings(window, false);
    pole.request.shade = pole.request.labelWindow = pole.request.labelDivisions = false;
    pole.draw();
    int column199 = 0, column200 = 0;
    for (int y = 0; y < 300; ++y) {
        column199 += pole.at(199, y) == kBlack;
        column200 += pole.at(200, y) == kBlack;
    }
    EXPECT_GT(column199, 0);
    EXPECT_EQ(column200, 0) << "no line across the pole";

    // Sqr(x) cannot be computed left of 0: nothing black there
    Graph root("Sqr(x)");
    root.request.shade = root.request.labelWindow = root.request.labelDivisions = false;
    root.draw();
    int left = 0, right = 0;
    for (int y = 0; y < 300; ++y)
        for (int x = 0; x < 400; ++x)
            (x < 200 ? left : right) += root.at(x, y) == kBlack;
    EXPECT_EQ(left, 0);
    EXPECT_GT(right, 100);
    EXPECT_EQ(root.at(px(9), py(3)), kBlack);
}

TEST(Curve, ASyntaxErrorEndsItAndAStudyLeftOfTheWindowIsNotShaded)
{
    Graph bad("2+");
    bad.draw();
    EXPECT_EQ(bad.outcome.error, 1002);

    Graph left;
    left.request.study.lower = -40;
    left.request.study.upper = -30;
    left.draw();
    for (int y = 0; y < 300; ++y)
        for (int x = 0; x < 400; ++x)
            ASSERT_NE(left.at(x, y), kLightRed) << x << "," << y;
    EXPECT_NE(left.at(0, py(-3)), kBlue) << "no interval mark at the window's edge";
}

TEST(Curve, DerivativesAreDrawnThroughTheDerivativeOperation)
{
    Graph g("x*x/4");
    g.request.study.derivativeOrder = 1;  // x / 2
    g.request.shade = g.request.labelWindow = g.request.labelDivisions = false;
    g.draw();
    EXPECT_EQ(g.at(px(10), py(5)), kBlack);
    EXPECT_EQ(g.at(px(-10), py(-5)), kBlack);
    EXPECT_NE(g.at(px(10), py(25.0 / 4 > 15 ? 0 : 25.0 / 4)), kBlack) << "not the function itself";
}

}  // namespace
