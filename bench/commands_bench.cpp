// The four numerical commands on the default study, and an integral that never
// converges (E = 1E-300, 21 halvings: about 8.4 million evaluations), each with
// f evaluated by the engine (as the commands evaluate it: computed ahead in
// blocks, on every core of the machine when there is much to compute) and with
// the same evaluation sequence on a native C++ function, one value at a time on
// one thread. The table at the end gives each command's ratio to its twin.

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <string>

#include "engine/class1.h"
#include "engine/engine.h"
#include "engine/evaluation.h"
#include "numeric/derivatives.h"
#include "numeric/extremafinder.h"
#include "numeric/integrator.h"
#include "numeric/rootfinder.h"
#include "numeric/studyinputs.h"
#include "ratioreporter.h"
#include "record/fieldreading.h"
#include "record/studyrecord.h"

namespace {

using namespace tessaly;

// The default function as native code, with the extension object's Tanh formula.
class NativeDefault final : public numeric::StudyFunction {
public:
    engine::FunctionValue at(double x) override
    {
        const double down = std::exp(-x);
        const double tanh = 1 + (-2 * down) / (down + std::exp(x));
        return {m_pi / 3 * x * std::sin(x) * tanh, 0};
    }
    std::int32_t trapped(std::int32_t raised) override { return raised; }

private:
    volatile double m_pi = std::atan(1.0) * 4;
};

numeric::StudyInputs defaultStudy()
{
    numeric::StudyInputs in;
    record::readStudyInputs(record::defaultTexts(), in);
    return in;
}

numeric::StudyInputs neverConverging()
{
    numeric::StudyInputs in = defaultStudy();
    in.errorBound = 1E-300;
    in.maxIterations = 21;
    return in;
}

enum class Command { Roots, Extrema, Integral, Value, LongIntegral };
const char* const kNames[] = {"roots", "extrema", "integral", "value", "integral_21_halvings"};

void run(Command c, numeric::StudyFunction& f)
{
    static const numeric::StudyInputs study = defaultStudy();
    static const numeric::StudyInputs endless = neverConverging();
    static const numeric::Factorials factorials = numeric::factorialTable();
    switch (c) {
    case Command::Roots: benchmark::DoNotOptimize(numeric::findRoots(f, study)); break;
    case Command::Extrema: benchmark::DoNotOptimize(numeric::findExtrema(f, study)); break;
    case Command::Integral: benchmark::DoNotOptimize(numeric::integrate(f, study)); break;
    case Command::Value: benchmark::DoNotOptimize(numeric::valueAt(f, 0, 0, factorials, {})); break;
    case Command::LongIntegral: benchmark::DoNotOptimize(numeric::integrate(f, endless)); break;
    }
}

void withEngine(benchmark::State& state, Command c)
{
    engine::Class1 object;
    engine::Engine engine;
    engine::prepareWindowEngine(engine, object);
    const std::string text = "pi/3*x*sin(x)*tanh(x)";  // the window's working function text
    for (auto _ : state) {
        numeric::EngineFunction f(engine, object, text);
        run(c, f);
    }
}

void withNative(benchmark::State& state, Command c)
{
    for (auto _ : state) {
        NativeDefault f;
        run(c, f);
    }
}

}  // namespace

int main(int argc, char** argv)
{
    for (int c = 0; c < 5; ++c) {
        const auto command = static_cast<Command>(c);
        const std::string name = kNames[c];
        auto* e = benchmark::RegisterBenchmark(("engine/" + name).c_str(), withEngine, command);
        auto* n = benchmark::RegisterBenchmark(("native/" + name).c_str(), withNative, command);
        if (command == Command::LongIntegral) {
            e->Unit(benchmark::kMillisecond)->Iterations(2);
            n->Unit(benchmark::kMillisecond)->Iterations(2);
        } else {
            e->Unit(benchmark::kMicrosecond);
            n->Unit(benchmark::kMicrosecond);
        }
    }
    tessaly::bench::RatioReporter reporter;
    tessaly::bench::runRepeated(argc, argv, reporter);
    std::printf("\n%-16s %14s %14s %14s\n", "command", "engine us", "native us", "engine/native");
    for (const char* name : kNames) {
        const double e = reporter.time(std::string("engine/") + name) / 1e3;  // ns to us
        const double n = reporter.time(std::string("native/") + name) / 1e3;
        std::printf("%-16s %14.2f %14.2f %14.2f\n", name, e, n, e / n);
    }
    return 0;
}
