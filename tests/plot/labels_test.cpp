#include <gtest/gtest.h>

#include <limits>

#include <cfloat>
#include <cmath>

#include "plot/decorations.h"
#include "plot/labelformat.h"
#include "plot/plotsettings.h"
#include "plot/scalemap.h"

using namespace tessaly::plot;

namespace {

TEST(LabelFormat, PatternsFromTheDivisionText)
{
    struct Row {
        const char* divisionText;
        double value;
        const char* shown;
    };
    const Row rows[] = {
        {"1", 3, "3"},
        {"1", 0, ""},
        {"1", -4, "-4"},
        {" 0.5 ", 0.5, ".5"},
        {"0.5", 1, "1.0"},
        {"0.25", -1.25, "-1.25"},
        {"0.25", 0.75, ".75"},
        {"2.", 4, "4."},
        {".1", 0.05, ".1"},
        {".1", -0.05, "-.1"},
        {"1", 2.5, "3"},
        {"1", -2.5, "-3"},
        {"1E-05", 3e-05, ".00003"},
        {"2.5E-3", 0.005, ".0050"},
        {"1E+2", 300, "300"},
        {"1", 1234567, "1234567"},
    };
    for (const auto& r : rows)
        EXPECT_EQ(labelText(r.value, labelDecimals(r.divisionText), labelHasPoint(r.divisionText)), r.shown)
            << r.divisionText << " " << r.value;
}

TEST(LabelFormat, DecimalsOfAnyExponentLieIn0To15)
{
    const struct {
        const char* divisionText;
        int decimals;
    } rows[] = {
        {"1.25E-1", 3},
        {"1E-15", 15},
        {"1E-16", 15},
        {"1E-99999999999999999999", 15},
        {"1E-9223372036854775808", 15},
        {"1.5E+1", 0},
        {"1E+99999999999999999999", 0},
        {"1.25E9223372036854775807", 0},
    };
    for (const auto& r : rows)
        EXPECT_EQ(labelDecimals(r.divisionText), r.decimals) << r.divisionText;
}

TEST(LabelFormat, WindowLabelsArePrintedNumbers)
{
    EXPECT_EQ(printedNumber(15), " 15");
    EXPECT_EQ(printedNumber(-15), "-15");
    EXPECT_EQ(printedNumber(0.5f), " 0.5");
    EXPECT_EQ(printedNumber(12345678.0f), " 1.234568E+07");
}

std::vector<std::string> texts(const std::vector<DivisionLabel>& labels)
{
    std::vector<std::string> t;
    for (const auto& l : labels)
        t.push_back(l.text);
    return t;
}

TEST(DivisionLabels, ThinnedToACharacterHeightApart)
{
    using V = std::vector<std::string>;
    // division 1 in the default window (0.1 per pixel): every division, the origin not
    const auto ones = divisionLabels(0, 1, 0.1f, -3, 3, "1", 1000);
    EXPECT_EQ(texts(ones), (V{"-3", "-2", "-1", "1", "2", "3"}));
    // division 0.5: every second one, one decimal
    EXPECT_EQ(texts(divisionLabels(0, 0.5f, 0.1f, -3, 3, "0.5", 1000)),
              (V{"-3.0", "-2.0", "-1.0", "1.0", "2.0", "3.0"}));
    // division 0.25: every third, two decimals, no leading zero
    EXPECT_EQ(texts(divisionLabels(0, 0.25f, 0.1f, -2.3f, 2.3f, "0.25", 1000)),
              (V{"-2.25", "-1.50", "-.75", ".75", "1.50", "2.25"}));
    // counted from the origin, not from 0
    EXPECT_EQ(texts(divisionLabels(5, 1, 0.1f, 3, 7, "1", 1000)), (V{"3", "4", "6", "7"}));
    // a negative size as its magnitude; 0 has no labels
    EXPECT_EQ(texts(divisionLabels(0, -1, 0.1f, -2, 2, "-1", 1000)), (V{"-2", "-1", "1", "2"}));
    EXPECT_TRUE(divisionLabels(0, 0, 0.1f, -2, 2, "0", 1000).empty());
    // A pixel width that is not positive (a window plotAccepted refuses) labels every division.
    for (const float unit : {-0.1f, -1e30f, NAN})
        EXPECT_EQ(texts(divisionLabels(0, 1, unit, -2, 2, "1", 1000)), (V{"-2", "-1", "1", "2"})) << unit;
    // a far origin: the labels in the window come from their index directly
    const auto far = divisionLabels(1e6f, 1, 0.1f, -2, 2, "1", 1000);
    EXPECT_EQ(texts(far), (V{"-2", "-1", "", "1", "2"})) << "a 0 shows nothing in the pattern";
}

TEST(PlotSettings, ReadAsTheFieldsBeginSaturatingBeyondRange)
{
    using namespace tessaly::record;
    FieldTexts t = defaultTexts();
    t[WindowLx] = "-20.123456789";
    t[WindowGx] = "1E400";
    t[WindowLy] = "-1E300";
    t[PlotStep] = "2.5";
    t[DivisionX] = "abc";
    const PlotSettings s = readPlotSettings(t, false);
    EXPECT_EQ(s.windowLx, static_cast<float>(-20.123456789));
    EXPECT_EQ(s.windowGx, FLT_MAX);
    EXPECT_EQ(s.windowLy, -FLT_MAX);
    EXPECT_EQ(s.plotStep, 2);
    EXPECT_EQ(s.divisionX, 0);
    EXPECT_FALSE(s.gridOn);
}

TEST(PlotSettings, TheGuardRefusesWhatCannotBeDrawnSayingWhy)
{
    const PlotSettings good = readPlotSettings(tessaly::record::defaultTexts(), true);
    EXPECT_TRUE(plotAccepted(good, 0, 400, 300));
    EXPECT_TRUE(plotAccepted(good, 33, 400, 300));
    auto with = [&](auto change) -> std::string {
        PlotSettings s = good;
        change(s);
        return std::string(plotRefusal(s, 0, 400, 300).value_or("drawn"));
    };
    const std::string step = "Plot step must be a whole number from 1 to 80";
    const std::string pair = "The lower window limit must be below the upper one";
    EXPECT_EQ(with([](PlotSettings& s) { s.plotStep = 0; }), step);
    EXPECT_EQ(with([](PlotSettings& s) { s.plotStep = 81; }), step);
    EXPECT_EQ(with([](PlotSettings& s) { s.plotStep = 80; }), "drawn");
    EXPECT_EQ(with([](PlotSettings& s) { s.windowLx = 20; }), pair);
    EXPECT_EQ(with([](PlotSettings& s) { s.windowGy = -15; }), pair) << "equal limits";
    EXPECT_EQ(with([](PlotSettings& s) { s.windowGx = std::nanf(""); }), pair);
    EXPECT_EQ(with([](PlotSettings& s) {
                  s.windowLx = -FLT_MAX;
                  s.windowGx = FLT_MAX;
              }),
              "Zoom limit reached");  // a pixel beyond range
    EXPECT_EQ(with([](PlotSettings& s) {
                  s.windowLx = 0;
                  s.windowGx = std::numeric_limits<float>::denorm_min();
              }),
              "Zoom limit reached");  // a pixel too small for a single
    EXPECT_EQ(plotRefusal(good, 34, 400, 300), "Derivative order must be from 0 to 33");
    EXPECT_EQ(plotRefusal(good, -1, 400, 300), "Derivative order must be from 0 to 33");
}

TEST(ScaleMap, MapsTheWindowOntoThePictureAndBack)
{
    const ScaleMap m = ScaleMap::of(-20, 20, -15, 15, 400, 300);
    EXPECT_EQ(m.px(-20), 0);
    EXPECT_EQ(m.px(0), 200);
    EXPECT_EQ(m.px(20), 400);
    EXPECT_EQ(m.py(15), 0);
    EXPECT_EQ(m.py(0), 150);
    EXPECT_EQ(m.py(-15), 300);
    EXPECT_EQ(ScaleMap::nearest(2.5), 3);
    EXPECT_EQ(ScaleMap::nearest(-2.5), -2);
    EXPECT_EQ(m.worldX(200), 0);
    EXPECT_EQ(m.worldY(0), 15);
}

}  // namespace
