#include "exprtk_peer.h"

#include <cstdlib>
#include <string>

// What the formulas do not use is left out, which shortens the compile.
#define exprtk_disable_string_capabilities
#define exprtk_disable_rtl_io
#define exprtk_disable_rtl_io_file
#define exprtk_disable_rtl_vecops
#define exprtk_disable_return_statement
#include "exprtk/exprtk.hpp"

namespace tessaly::bench {

void exprtkEval(benchmark::State& state, const char* text, const PeerNames& names, const std::vector<double>& xs)
{
    double x = 0;
    exprtk::symbol_table<double> symbols;
    symbols.add_variable("x", x);
    symbols.add_variable("pi", *names.pi);
    symbols.add_variable("a", *names.a);
    symbols.add_variable("b", *names.b);
    symbols.add_variable("c", *names.c);
    struct Tanh : exprtk::ifunction<double> {
        explicit Tanh(double (*f)(double)) : exprtk::ifunction<double>(1), fn(f) {}
        double operator()(const double& v) override { return fn(v); }
        double (*fn)(double);
    } tanhf(names.tanh);
    symbols.add_function("tanhf", tanhf);
    exprtk::expression<double> expression;
    expression.register_symbol_table(symbols);
    exprtk::parser<double> parser;
    if (!parser.compile(text, expression)) {
        state.SkipWithError(("exprtk cannot compile " + std::string(text)).c_str());
        return;
    }
    for (auto _ : state) {
        for (double v : xs) {
            x = v;
            benchmark::DoNotOptimize(expression.value());
        }
    }
}

}  // namespace tessaly::bench
