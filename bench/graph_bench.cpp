// Drawing the default study's graph as the window draws it again after a
// resize: on a white image of the picture's size at a device pixel ratio (exact
// at 1, smooth above), f evaluated by the engine, and as an SVG drawing. The
// table at the end gives the fastest run of each in milliseconds.

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "docs/graphfile.h"
#include "engine/class1.h"
#include "engine/engine.h"
#include "engine/evaluation.h"
#include "numeric/derivatives.h"
#include "numeric/studyfunction.h"
#include "plot/fonts.h"
#include "plot/graphdriver.h"
#include "ratioreporter.h"
#include "record/fieldreading.h"

namespace {

using namespace tessaly;

struct Picture {
    const char* name;
    int width, height;
    double ratio;   // 0: an SVG drawing
    int order = 0;  // the derivative drawn
};
// The last two: the slowest plot the window draws on its own thread, the 33rd
// derivative (34 values of f a sample) at plot step 1.
const Picture kPictures[] = {
    {"image/400x300", 400, 300, 1},
    {"image/1600x1200", 1600, 1200, 1},
    {"image/800x600@2", 800, 600, 2},
    {"image/1600x1200@2", 1600, 1200, 2},
    {"svg/1600x1200", 1600, 1200, 0},
    {"order33/400x300", 400, 300, 1, 33},
    {"order33/1600x1200@2", 1600, 1200, 2, 33},
};

void draw(benchmark::State& state, Picture p)
{
    engine::Class1 object;
    engine::Engine engine;
    engine::prepareWindowEngine(engine, object);
    plot::GraphRequest request;
    record::readStudyInputs(record::defaultTexts(), request.study);
    request.plot = plot::readPlotSettings(record::defaultTexts(), true);
    request.study.derivativeOrder = p.order;
    const numeric::Factorials factorials = numeric::factorialTable();
    const docs::GraphPaint paint = [&](QPainter& painter, const plot::Surface& surface) {
        numeric::EngineFunction f(engine, object, request.study.equation);
        plot::drawGraph(painter, surface, f, request, factorials, {});
    };
    const QSize size(p.width, p.height);
    for (auto _ : state) {
        if (p.ratio > 0)
            benchmark::DoNotOptimize(docs::graphImage(size, p.ratio, paint));
        else
            benchmark::DoNotOptimize(docs::graphFileBytes(docs::GraphFormat::Svg, size, 1, paint, nullptr));
    }
}

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    plot::substituteFonts();
    for (const Picture& p : kPictures)
        benchmark::RegisterBenchmark(p.name, draw, p)->Unit(benchmark::kMillisecond);
    tessaly::bench::RatioReporter reporter;
    tessaly::bench::runRepeated(argc, argv, reporter);
    std::printf("\n%-20s %10s\n", "default graph", "ms");
    for (const Picture& p : kPictures)
        std::printf("%-20s %10.2f\n", p.name, reporter.time(p.name) / 1e6);
    return 0;
}
