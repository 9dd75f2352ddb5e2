#pragma once

#include <benchmark/benchmark.h>

#include <vector>

namespace tessaly::bench {

// The names a formula may read besides x; exprtk reads them where they live.
struct PeerNames {
    double* pi;
    double* a;
    double* b;
    double* c;
    double (*tanh)(double);  // the extension object's Tanh formula, as "tanhf"
};

// Times exprtk evaluating text at each of xs, one x at a time, per iteration.
// (In a file of its own: exprtk is one very large header, slow to compile.)
void exprtkEval(benchmark::State& state, const char* text, const PeerNames& names, const std::vector<double>& xs);

}  // namespace tessaly::bench
