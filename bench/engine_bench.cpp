// Time of one evaluation of f(x), one x at a time over 1,024 points in [-8, 8]:
// the engine as the numerical commands evaluate their function (FunctionEvaluator:
// x into the extension object, its error cleared, the text evaluated and
// converted, the object's error raised), the same formula as native C++ called
// through a function pointer, and muparser and exprtk with the same formula.
// The runs are repeated in rounds and interleaved (the machine's speed drifts);
// the table at the end gives each one's median time (see RatioReporter) and the
// engine's ratios.

#include <benchmark/benchmark.h>
#include <muParser.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "engine/class1.h"
#include "engine/engine.h"
#include "engine/evaluation.h"
#include "exprtk_peer.h"
#include "ratioreporter.h"

namespace {

using tessaly::engine::Class1;
using tessaly::engine::Engine;

constexpr int kPoints = 1024;

const std::vector<double>& points()
{
    static const std::vector<double> xs = [] {
        std::vector<double> v(kPoints);
        for (int i = 0; i < kPoints; ++i)
            v[static_cast<std::size_t>(i)] = -8.0 + 16.0 * i / (kPoints - 1);
        return v;
    }();
    return xs;
}

// Names of the formulas are variables for all three evaluators (pi can be
// reassigned like any constant), so native code reads them too.
double gPi = std::atan(1.0) * 4;
double gA = 2.37, gB = -1.5, gC = 0.25;

// The extension object's Tanh formula, shared by the native and muparser forms.
double tanhFormula(double x) { return 1 + (-2 * std::exp(-x)) / (std::exp(-x) + std::exp(x)); }

double native1(double x) { return gPi / 3 * x * std::sin(x) * tanhFormula(x); }
double native2(double x) { return std::pow(x, 5) - 3 * std::pow(x, 3) + 2 * x - 1; }
double native3(double x) { return std::sqrt(std::fabs(x)) * std::log(1 + x * x) / (1 + std::exp(-x)); }
double native4(double x) { return gA * x * x + gB * x + gC; }
double native5(double x)
{
    return std::sin(x) + std::cos(2 * x) + std::sin(3 * x) * std::cos(4 * x) + std::sin(5 * x) / (1 + x * x)
           + std::atan(x) * std::exp(-x * x) + std::sqrt(1 + x * x);
}

struct Formula {
    const char* name;
    const char* text;      // the engine's language
    const char* muparser;  // the same formula in muparser's syntax
    const char* exprtk;    // and in exprtk's (tanhf: the extension object's formula)
    double (*native)(double);
};

const Formula kFormulas[] = {
    {"default", "pi/3*x*sin(x)*tanh(x)", "pi/3*x*sin(x)*tanh(x)", "pi/3*x*sin(x)*tanhf(x)", native1},
    {"polynomial", "x^5-3*x^3+2*x-1", "x^5-3*x^3+2*x-1", "x^5-3*x^3+2*x-1", native2},
    {"sqr_log_exp", "Sqr(Abs(x))*Log(1+x*x)/(1+Exp(-x))", "sqrt(abs(x))*ln(1+x*x)/(1+exp(-x))",
     "sqrt(abs(x))*log(1+x*x)/(1+exp(-x))", native3},
    {"constants", "a*x*x+b*x+c", "a*x*x+b*x+c", "a*x*x+b*x+c", native4},
    {"trig_sum", "Sin(x)+Cos(2*x)+Sin(3*x)*Cos(4*x)+Sin(5*x)/(1+x*x)+Atn(x)*Exp(-x*x)+Sqr(1+x*x)",
     "sin(x)+cos(2*x)+sin(3*x)*cos(4*x)+sin(5*x)/(1+x*x)+atan(x)*exp(-x*x)+sqrt(1+x*x)",
     "sin(x)+cos(2*x)+sin(3*x)*cos(4*x)+sin(5*x)/(1+x*x)+atan(x)*exp(-x*x)+sqrt(1+x*x)", native5},
};

// An engine as a window sets it up, with the formulas' constants a, b and c,
// evaluating one formula.
struct EngineFormula {
    Class1 object;
    Engine engine;
    std::string text;
    tessaly::engine::FunctionEvaluator function{engine, object, text};
    explicit EngineFormula(const Formula& f) : text(f.text)
    {
        tessaly::engine::prepareWindowEngine(engine, object);
        engine.executeStatement("a=2.37");
        engine.executeStatement("b=-1.5");
        engine.executeStatement("c=0.25");
    }
};

void engineEval(benchmark::State& state, const Formula& f)
{
    EngineFormula e(f);
    auto& function = e.function;
    for (auto _ : state) {
        for (double x : points()) {
            const auto r = function.at(x);
            benchmark::DoNotOptimize(r);
        }
    }
}

// The engine over the same points a block at a time, as the commands take
// their values (FunctionEvaluator::atEach: the same values and failures).
void engineBlockEval(benchmark::State& state, const Formula& f)
{
    EngineFormula e(f);
    auto& function = e.function;
    std::vector<double> values(points().size());
    tessaly::engine::FunctionValue failure;
    for (auto _ : state) {
        benchmark::DoNotOptimize(function.atEach(points().data(), points().size(), values.data(), failure));
        benchmark::ClobberMemory();
    }
}

void nativeEval(benchmark::State& state, const Formula& f)
{
    double (*volatile fn)(double) = f.native;
    for (auto _ : state) {
        for (double x : points())
            benchmark::DoNotOptimize(fn(x));
    }
}

void muparserEval(benchmark::State& state, const Formula& f)
{
    mu::Parser p;
    double x = 0;
    p.DefineVar("x", &x);
    p.DefineVar("pi", &gPi);
    p.DefineVar("a", &gA);
    p.DefineVar("b", &gB);
    p.DefineVar("c", &gC);
    p.DefineFun("tanh", tanhFormula);
    p.SetExpr(f.muparser);
    for (auto _ : state) {
        for (double v : points()) {
            x = v;
            benchmark::DoNotOptimize(p.Eval());
        }
    }
}

void exprtkEval(benchmark::State& state, const Formula& f)
{
    const tessaly::bench::PeerNames names{&gPi, &gA, &gB, &gC, tanhFormula};
    tessaly::bench::exprtkEval(state, f.exprtk, names, points());
}

}  // namespace

int main(int argc, char** argv)
{
    for (const Formula& f : kFormulas) {
        benchmark::RegisterBenchmark((std::string("engine/") + f.name).c_str(), engineEval, f);
        benchmark::RegisterBenchmark((std::string("engine_block/") + f.name).c_str(), engineBlockEval, f);
        benchmark::RegisterBenchmark((std::string("native/") + f.name).c_str(), nativeEval, f);
        benchmark::RegisterBenchmark((std::string("muparser/") + f.name).c_str(), muparserEval, f);
        benchmark::RegisterBenchmark((std::string("exprtk/") + f.name).c_str(), exprtkEval, f);
    }
    tessaly::bench::RatioReporter reporter(kPoints);  // ns per evaluation
    tessaly::bench::runRepeated(argc, argv, reporter);
    // One x at a time (as the evaluator window and Value= evaluate), then a
    // block at a time (as the commands do).
    for (const char* engine : {"engine", "engine_block"}) {
        std::printf("\n%-12s %10s %10s %10s %10s %14s %14s %14s\n", "formula", (std::string(engine) + " ns").c_str(),
                    "native ns", "exprtk ns", "muparser ns", "/native", "/exprtk", "/muparser");
        for (const Formula& f : kFormulas) {
            const double e = reporter.time(std::string(engine) + "/" + f.name);
            const double n = reporter.time(std::string("native/") + f.name);
            const double x = reporter.time(std::string("exprtk/") + f.name);
            const double m = reporter.time(std::string("muparser/") + f.name);
            std::printf("%-12s %10.2f %10.2f %10.2f %10.2f %14.2f %14.2f %14.2f\n", f.name, e, n, x, m, e / n, e / x,
                        e / m);
        }
    }
    return 0;
}
