#pragma once

// Records every repetition of every benchmark and prints ratios between them.
// The machine's speed drifts and other work shares it, so the benchmarks run in
// rounds, each repeating every benchmark in random interleaving; a benchmark's
// time is the median over the rounds of each round's median repetition.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace tessaly::bench {

constexpr int kRounds = 3;
constexpr int kRepetitions = 21;

class RatioReporter : public benchmark::ConsoleReporter {
public:
    // Times are kept in nanoseconds; perRun divides a run's time, so a row can
    // show the time of one evaluation.
    explicit RatioReporter(double perRun = 1) : m_perRun(perRun) {}

    void startRound() { ++m_round; }

    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& r : runs) {
            if (r.run_type != Run::RT_Iteration || r.iterations == 0)
                continue;
            const double t = r.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(r.time_unit) * 1e9 / m_perRun;
            auto& rounds = m_samples[r.run_name.function_name];
            rounds.resize(static_cast<std::size_t>(m_round + 1));
            rounds[static_cast<std::size_t>(m_round)].push_back(t);
        }
    }

    // The median over the rounds of each round's median; NaN for a name never run.
    double time(const std::string& name) const
    {
        const auto it = m_samples.find(name);
        if (it == m_samples.end())
            return std::nan("");
        std::vector<double> medians;
        for (std::vector<double> round : it->second)
            if (!round.empty())
                medians.push_back(median(round));
        return medians.empty() ? std::nan("") : median(medians);
    }

private:
    static double median(std::vector<double> v)
    {
        std::sort(v.begin(), v.end());
        const std::size_t n = v.size();
        return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
    }

    double m_perRun;
    int m_round = -1;
    std::map<std::string, std::vector<std::vector<double>>> m_samples;
};

// Runs the registered benchmarks in kRounds rounds of kRepetitions interleaved
// repetitions (unless the command line says otherwise) with the reporter.
inline void runRepeated(int argc, char** argv, RatioReporter& reporter)
{
    std::string repetitions = "--benchmark_repetitions=" + std::to_string(kRepetitions);
    std::string interleave = "--benchmark_enable_random_interleaving=true";
    // The command line's own flags come after these, and win.
    std::vector<char*> args;
    args.reserve(static_cast<std::size_t>(argc) + 2);
    args.push_back(argv[0]);
    args.push_back(repetitions.data());
    args.push_back(interleave.data());
    for (int i = 1; i < argc; ++i)
        args.push_back(argv[i]);
    int count = static_cast<int>(args.size());
    benchmark::Initialize(&count, args.data());
    for (int round = 0; round < kRounds; ++round) {
        reporter.startRound();
        benchmark::RunSpecifiedBenchmarks(&reporter);
    }
    benchmark::Shutdown();
}

}  // namespace tessaly::bench
