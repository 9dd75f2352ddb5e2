#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "engine/class1.h"
#include "engine/engine.h"
#include "engine/evaluation.h"
#include "numeric/studyfunction.h"
#include "numeric/studyinputs.h"

namespace tessaly::numeric::testing {

// A study evaluated as the main window evaluates it; the engine errors the
// window would report are collected.
struct Study {
    engine::Class1 object;
    engine::Engine engine;
    std::vector<engine::ScriptError> messages;

    Study()
    {
        engine.setErrorObserver([this](const engine::ScriptError& e) { messages.push_back(e); });
        engine::prepareWindowEngine(engine, object);
    }

    static StudyInputs inputs(const std::string& f, double a, double b, int n, double e = 0.01, int m = 20)
    {
        StudyInputs in;
        in.equation = f;
        in.lower = a;
        in.upper = b;
        in.subintervals = n;
        in.errorBound = e;
        in.maxIterations = m;
        return in;
    }

    // f over a copy of the text that lives as long as the study.
    EngineFunction function(const std::string& f) { return EngineFunction(engine, object, texts.emplace_back(f)); }

    std::deque<std::string> texts;
};

// A function given by a callable, to follow a command exactly: it records
// every abscissa it is asked for.
class Scripted final : public StudyFunction {
public:
    std::function<engine::FunctionValue(double)> f;
    std::vector<double> asked;
    engine::FunctionValue at(double x) override
    {
        asked.push_back(x);
        return f(x);
    }
    std::int32_t trapped(std::int32_t raised) override { return raised; }
};

}  // namespace tessaly::numeric::testing
