#pragma once

// Records the fastest repetition of every benchmark (the machine's speed drifts,
// so runs are repeated and interleaved) and prints ratios between them.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace tessaly::bench {

class RatioReporter : public benchmark::ConsoleReporter {
public:
    // Times are kept in nanoseconds; perRun divides a run's time, so a row can
    // show the time of one evaluation.
    explicit RatioReporter(double perRun = 1) : m_perRun(perRun) {}

    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& r : runs) {
            if (r.run_type != Run::RT_Iteration || r.iterations == 0)
                continue;
            const double t = r.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(r.time_unit) * 1e9 / m_perRun;
            auto [it, fresh] = m_best.emplace(r.run_name.function_name, t);
            if (!fresh)
                it->second = std::min(it->second, t);
        }
    }

    double best(const std::string& name) const
    {
        const auto it = m_best.find(name);
        return it == m_best.end() ? std::nan("") : it->second;
    }

private:
    double m_perRun;
    std::map<std::string, double> m_best;
};

// Runs the registered benchmarks repeated and interleaved (unless the command
// line says otherwise) with the reporter.
inline void runRepeated(int argc, char** argv, RatioReporter& reporter)
{
    std::vector<char*> args(argv, argv + argc);
    std::string repetitions = "--benchmark_repetitions=7", interleave = "--benchmark_enable_random_interleaving=true";
    args.push_back(repetitions.data());
    args.push_back(interleave.data());
    int count = static_cast<int>(args.size());
    benchmark::Initialize(&count, args.data());
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
}

}  // namespace tessaly::bench
