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

    // The picture at another size: width x height pixels at a device pixel ratio.
    Graph& sized(int width, int height, double ratio = 1)
    {
        image = QImage(static_cast<int>(width * ratio), static_cast<int>(height * ratio), QImage::Format_RGB32);
        image.setDevicePixelRatio(ratio);
        image.fill(Qt::white);
        return *this;
    }
    // Nothing but the curve and the frame, axes and divisions.
    Graph& plain()
    {
        request.shade = request.labelWindow = request.labelDivisions = false;
        return *this;
    }
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

// The pixel a world point falls on in a picture of the default window.
QPoint pixelOf(const plot::ScaleMap& m, double x, double y)
{
    return {static_cast<int>(plot::ScaleMap::nearest(m.px(x))), static_cast<int>(plot::ScaleMap::nearest(m.py(y)))};
}

TEST(LargerPicture, AxesGridAndCurveFallWhereTheScaleMapPutsThem)
{
    Graph g;
    g.sized(800, 600).draw();
    const auto m = plot::ScaleMap::of(-20, 20, -15, 15, 800, 600);
    ASSERT_EQ(g.outcome.map.pixelsW, 800);
    struct Point {
        double x, y;
        QColor colour;
        const char* what;
    };
    const Point rows[] = {
        {-19, 14.5, kGreen, "a grid line at x = -19"},
        {-19.5, 14, kGreen, "a grid line at y = 14"},
        {-19.45, 14.45, kWhite, "inside a grid cell"},
        {5, 0, kRed, "the x-axis"},
        {0, 10, kRed, "the y-axis"},
        {0.3, -0.2, kRed, "the origin dot, 7 pixels from its centre (its radius is 8)"},
        {-8, -4, kBlue, "the mark at the interval's lower end"},
        {-6.5, f(-6.5) / 2, kLightRed, "hatching between the axis and f"},
        {10, f(10), kBlack, "a curve sample at x = 10"},
        {-13, f(-13), kBlack, "a curve sample at x = -13"},
        {14.05, f(14.05), kBlack, "a curve sample at x = 14.05"},
    };
    for (const auto& r : rows) {
        const QPoint p = pixelOf(m, r.x, r.y);
        EXPECT_EQ(g.at(p.x(), p.y()), r.colour) << r.what << " at (" << p.x() << ", " << p.y() << ")";
    }
    EXPECT_EQ(g.at(799, pixelOf(m, 0, 2.5).y()), kYellow) << "the frame's right side, one pixel inside";
    EXPECT_EQ(g.at(pixelOf(m, 19.45, 0).x(), 599), kYellow) << "the frame's bottom side";
    EXPECT_EQ(g.at(pixelOf(m, -19.45, 0).x(), pixelOf(m, 0, 0.1).y()), kWhite) << "one pixel is 0.05 wide";
}

// Counts the values of f a drawing asks for.
struct Counting final : numeric::StudyFunction {
    int calls = 0;
    engine::FunctionValue at(double x) override
    {
        ++calls;
        return {x / 2, 0};
    }
    std::int32_t trapped(std::int32_t raised) override { return raised; }
};

TEST(LargerPicture, AsManySamplesAsTheReferencePicture)
{
    const plot::PlotSettings s = plot::readPlotSettings(record::defaultTexts(), true);
    const plot::GraphWindow reference = plot::setUpGraphWindow(s);
    EXPECT_EQ(reference.sampleStep / reference.unitX, 1);
    const plot::GraphWindow wide = plot::setUpGraphWindow(s, 1200, 900);
    EXPECT_EQ(wide.sampleStep, reference.sampleStep);
    EXPECT_FLOAT_EQ(wide.sampleStep / wide.unitX, 3) << "three pixels a step at 1200 wide";

    auto samples = [](int width, int height) {
        Graph g;
        g.sized(width, height).plain();
        Counting f;
        plot::drawGraph(g.image, f, g.request, numeric::factorialTable(), {});
        return f.calls;
    };
    const int atReference = samples(400, 300);
    EXPECT_EQ(atReference, 402 + 2) << "the samples from -20 to the first beyond 20, and the two interval marks";
    EXPECT_EQ(samples(1200, 900), atReference);
    EXPECT_EQ(samples(16, 12), atReference);
}

TEST(LargerPicture, LabelsGrowWithTheHeightDivisionLabelsAtLeastNinePixels)
{
    struct Row {
        int width, height;
        double windowLabel, divisionLabel;  // character heights in pixels
    };
    const Row rows[] = {
        {400, 300, 20, 7},   {800, 600, 40, 14},  {1600, 1200, 80, 28},
        {420, 315, 21, 9},   {401, 300, 20, 9},   {400, 301, 20 * 301.0 / 300, 9},
        {200, 150, 10, 3.5}, {16, 12, 0.8, 0.28}, {8000, 6000, 400, 140},
    };
    const plot::PlotSettings s = plot::readPlotSettings(record::defaultTexts(), true);
    for (const auto& r : rows) {
        const plot::GraphWindow w = plot::setUpGraphWindow(s, r.width, r.height);
        EXPECT_DOUBLE_EQ(w.windowLabelScale * 20, r.windowLabel) << r.width << "x" << r.height;
        EXPECT_DOUBLE_EQ(w.divisionLabelScale * 7, r.divisionLabel) << r.width << "x" << r.height;
    }

    // The label "5" right of the y-axis: its ink twice as high on a picture twice as high.
    auto inkHeight = [](int width, int height) {
        Graph g("99");  // a curve above the window
        g.sized(width, height).plain();
        g.request.labelDivisions = true;
        g.request.plot.gridOn = false;
        g.draw();
        const auto m = plot::ScaleMap::of(-20, 20, -15, 15, width, height);
        const QPoint axis = pixelOf(m, 0, 5);
        int top = height, bottom = -1;
        for (int y = pixelOf(m, 0, 5.5).y(); y <= pixelOf(m, 0, 4.5).y(); ++y)
            for (int x = axis.x() + 2; x < pixelOf(m, 2, 0).x(); ++x)
                if (g.at(x, y) == kBlack) {
                    top = std::min(top, y);
                    bottom = std::max(bottom, y);
                }
        return bottom - top + 1;
    };
    const int small = inkHeight(400, 300), large = inkHeight(800, 600);
    EXPECT_GE(small, 4);
    EXPECT_NEAR(large, 2 * small, 1);
}

// Every pixel of an exact drawing has one of the drawing's colours.
TEST(PixelDensity, AnExactPictureHasOnlyTheDrawingsColours)
{
    Graph g;
    g.draw();
    const QColor labels(0, 192, 192);
    for (int y = 0; y < 300; ++y)
        for (int x = 0; x < 400; ++x) {
            const QColor c = g.at(x, y);
            ASSERT_TRUE(c == kWhite || c == kYellow || c == kGreen || c == kRed || c == kBlue || c == kLightRed
                        || c == kBlack || c == labels)
                << x << "," << y;
        }
}

TEST(PixelDensity, AtRatioTwoCurveAndTextAreSmoothLinesStaySharp)
{
    Graph g;
    g.request.plot.originY = 0.025f;  // the x-axis 149.75 pixels down (a hair less): between device pixels
    g.sized(400, 300, 2).draw();
    ASSERT_EQ(g.outcome.map.pixelsW, 400) << "drawn at the picture's size, not its device pixels";
    // The x-axis, one pixel of the picture wide: exactly two rows of device pixels.
    const int column = 2 * 305;  // x = 10.5, away from grid lines and the curve
    EXPECT_EQ(g.at(column, 298), kWhite);
    EXPECT_EQ(g.at(column, 299), kRed);
    EXPECT_EQ(g.at(column, 300), kRed);
    EXPECT_EQ(g.at(column, 301), kWhite);
    // The curve and the labels blend into the ground: greys that an exact drawing never has.
    int greys = 0;
    for (int y = 0; y < g.image.height(); ++y)
        for (int x = 0; x < g.image.width(); ++x) {
            const QColor c = g.at(x, y);
            greys += c.red() == c.green() && c.green() == c.blue() && c.red() > 0 && c.red() < 255;
        }
    EXPECT_GT(greys, 500);
    // A curve sample still lies on f.
    const auto m = plot::ScaleMap::of(-20, 20, -15, 15, 800, 600);
    EXPECT_EQ(g.at(static_cast<int>(m.px(10)), static_cast<int>(m.py(f(10)))), kBlack);
}

// A smooth drawing strokes only what shows of each segment: a curve that
// jumps between +1E9 and -1E9 at every sample crosses the whole picture each
// time, from its top row to its bottom row, and a curve wholly above it leaves
// the picture as a curve that is not drawn at all does.
TEST(PixelDensity, ASmoothDrawingShowsTheVisiblePartOfFarSegments)
{
    Graph jumps("1E9*Cos(pi*x*10)");
    jumps.sized(400, 300, 2).plain().draw();
    auto darkInRow = [&](int y) {
        int dark = 0;
        for (int x = 0; x < jumps.image.width(); ++x)
            dark += qGray(jumps.image.pixel(x, y)) < 128;
        return dark;
    };
    // 400 steps of one pixel (two device pixels): every step crosses each row.
    for (const int row : {2, 150, 301, 597})
        EXPECT_GE(darkInRow(row), 400) << "row " << row;

    // (The interval's marks, drawn up to f at its ends, are kept out of the window.)
    Graph above("1E9"), undrawn("x/0");
    for (Graph* g : {&above, &undrawn}) {
        g->request.study.lower = 30;
        g->request.study.upper = 40;
        g->sized(400, 300, 2).plain().draw();
    }
    EXPECT_EQ(above.image, undrawn.image);
}

}  // namespace
