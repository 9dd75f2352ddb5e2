// The bounds told beside the results, measured against the truth on a panel of
// functions whose roots, extrema, integrals and derivatives are known in closed
// form (computed in long double, about 19 digits). Prints each measure:
// certified root and extremum intervals that hold the true position, integral
// estimates not below the true error, significant digits that claim a false
// digit, values with no correct digit that are not flagged, touching-root
// warnings on double roots and false alarms; and the evaluations the bounds
// cost beside the commands' own. Run by "make bench" (./build/bench/trust_panel).

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "numeric/derivatives.h"
#include "numeric/estimates.h"
#include "numeric/extremafinder.h"
#include "numeric/integrator.h"
#include "numeric/rootfinder.h"

namespace {

using namespace tessaly::numeric;
using LD = long double;

struct Case {
    std::string name;
    std::function<double(double)> f;
    double a, b;
    std::vector<LD> roots;                  // simple roots in (a, b)
    std::vector<LD> doubleRoots;            // roots where f touches 0
    std::vector<LD> extrema;                // positions of the extrema in (a, b)
    LD integral;                            // over [a, b]
    double x0;                              // where the derivatives are checked
    std::function<LD(int, LD)> derivative;  // f^(n)(x), n >= 1; nothing when unknown
};

const LD kPi = 3.141592653589793238462643383279502884L;

// f evaluated natively, counting its values.
class Native final : public StudyFunction {
public:
    explicit Native(const std::function<double(double)>& f) : m_f(f) {}
    tessaly::engine::FunctionValue at(double x) override
    {
        ++count;
        const double v = m_f(x);
        if (!std::isfinite(v))
            return {0, 6};
        return {v, 0};
    }
    std::int32_t trapped(std::int32_t raised) override { return raised; }
    long count = 0;

private:
    std::function<double(double)> m_f;
};

// Derivatives of a polynomial given by its coefficients (c0 + c1 x + ...).
std::function<LD(int, LD)> polynomial(std::vector<LD> c)
{
    return [c](int n, LD x) {
        LD sum = 0;
        for (std::size_t k = static_cast<std::size_t>(n); k < c.size(); ++k) {
            LD falling = 1;
            for (int j = 0; j < n; ++j)
                falling *= static_cast<LD>(k - static_cast<std::size_t>(j));
            sum += c[k] * falling * std::pow(x, static_cast<LD>(k) - n);
        }
        return sum;
    };
}

std::vector<Case> panel()
{
    std::vector<Case> p;
    auto none = std::function<LD(int, LD)>();
    p.push_back({"x^2-2",
                 [](double x) { return x * x - 2; },
                 -2,
                 2.5,
                 {-std::sqrt(2.0L), std::sqrt(2.0L)},
                 {},
                 {0},
                 (2.5L * 2.5L * 2.5L / 3 - 5) - (-8.0L / 3 + 4),
                 0.7,
                 polynomial({-2, 0, 1})});
    p.push_back({"x^3-2x",
                 [](double x) { return x * x * x - 2 * x; },
                 -2,
                 2.2,
                 {-std::sqrt(2.0L), 0, std::sqrt(2.0L)},
                 {},
                 {-std::sqrt(2.0L / 3), std::sqrt(2.0L / 3)},
                 (std::pow(2.2L, 4) / 4 - 2.2L * 2.2L) - (4 - 4),
                 0.3,
                 polynomial({0, -2, 0, 1})});
    p.push_back({"sin",
                 [](double x) { return std::sin(x); },
                 0.5,
                 10,
                 {kPi, 2 * kPi, 3 * kPi},
                 {},
                 {kPi / 2, 3 * kPi / 2, 5 * kPi / 2},
                 std::cos(0.5L) - std::cos(10.0L),
                 1.3,
                 [](int n, LD x) { return std::sin(x + n * kPi / 2); }});
    p.push_back({"cos",
                 [](double x) { return std::cos(x); },
                 -1,
                 7,
                 {kPi / 2, 3 * kPi / 2},
                 {},
                 {0, kPi, 2 * kPi},
                 std::sin(7.0L) - std::sin(-1.0L),
                 0.4,
                 [](int n, LD x) { return std::cos(x + n * kPi / 2); }});
    p.push_back({"exp-3",
                 [](double x) { return std::exp(x) - 3; },
                 0,
                 2,
                 {std::log(3.0L)},
                 {},
                 {},
                 std::exp(2.0L) - 1 - 6,
                 1.1,
                 [](int, LD x) { return std::exp(x); }});
    p.push_back({"log-1",
                 [](double x) { return std::log(x) - 1; },
                 1,
                 5,
                 {std::exp(1.0L)},
                 {},
                 {},
                 (5 * std::log(5.0L) - 5 - 5) - (0 - 1 - 1),
                 2.5,
                 [](int n, LD x) {
                     LD fact = 1;
                     for (int k = 1; k < n; ++k)
                         fact *= k;
                     return (n % 2 ? 1 : -1) * fact / std::pow(x, static_cast<LD>(n));
                 }});
    p.push_back({"x*exp(-x)",
                 [](double x) { return x * std::exp(-x); },
                 0.2,
                 5,
                 {},
                 {},
                 {1},
                 (-(1.2L) * std::exp(-0.2L)) * -1 - (6 * std::exp(-5.0L)),
                 1.7,
                 [](int n, LD x) { return (n % 2 ? -1 : 1) * (x - n) * std::exp(-x); }});
    p.push_back({"1/(1+x^2)",
                 [](double x) { return 1 / (1 + x * x); },
                 -3,
                 3.5,
                 {},
                 {},
                 {0},
                 std::atan(3.5L) + std::atan(3.0L),
                 0.8,
                 none});
    p.push_back({"tanh(x-0.3)",
                 [](double x) { return std::tanh(x - 0.3); },
                 -2,
                 2,
                 {0.3L},
                 {},
                 {},
                 std::log(std::cosh(1.7L)) - std::log(std::cosh(-2.3L)),
                 0.1,
                 none});
    p.push_back({"sqrt-1.5",
                 [](double x) { return std::sqrt(x) - 1.5; },
                 0.5,
                 4,
                 {2.25L},
                 {},
                 {},
                 (2.0L / 3 * 8 - 6) - (2.0L / 3 * std::pow(0.5L, 1.5L) - 0.75L),
                 2,
                 none});
    p.push_back({"atan-0.5",
                 [](double x) { return std::atan(x) - 0.5; },
                 -1,
                 2,
                 {std::tan(0.5L)},
                 {},
                 {},
                 (2 * std::atan(2.0L) - std::log(5.0L) / 2 - 1) - (-std::atan(-1.0L) - std::log(2.0L) / 2 + 0.5L) + 0,
                 0.5,
                 none});
    p.push_back({"x^4-5x^2+4",
                 [](double x) { return x * x * x * x - 5 * x * x + 4; },
                 -2.5,
                 2.6,
                 {-2, -1, 1, 2},
                 {},
                 {-std::sqrt(2.5L), 0, std::sqrt(2.5L)},
                 (std::pow(2.6L, 5) / 5 - 5 * std::pow(2.6L, 3) / 3 + 4 * 2.6L)
                     - (std::pow(-2.5L, 5) / 5 - 5 * std::pow(-2.5L, 3) / 3 - 10),
                 1.2,
                 polynomial({4, 0, -5, 0, 1})});
    p.push_back({"cosh-2",
                 [](double x) { return std::cosh(x) - 2; },
                 -2,
                 2.1,
                 {-std::acosh(2.0L), std::acosh(2.0L)},
                 {},
                 {0},
                 (std::sinh(2.1L) - 4.2L) - (std::sinh(-2.0L) + 4),
                 0.9,
                 [](int n, LD x) { return n % 2 ? std::sinh(x) : std::cosh(x); }});
    p.push_back({"x^5-x-1",
                 [](double x) { return std::pow(x, 5) - x - 1; },
                 0,
                 2,
                 {1.1673039782614186843L},
                 {},
                 {std::pow(0.2L, 0.25L)},
                 (64.0L / 6 - 2 - 2) - 0,
                 1.0,
                 polynomial({-1, -1, 0, 0, 0, 1})});
    p.push_back({"exp(-x^2)-0.5",
                 [](double x) { return std::exp(-x * x) - 0.5; },
                 -2,
                 2.3,
                 {-std::sqrt(std::log(2.0L)), std::sqrt(std::log(2.0L))},
                 {},
                 {0},
                 std::sqrt(kPi) / 2 * (std::erf(2.3L) + std::erf(2.0L)) - 0.5L * 4.3L,
                 0.6,
                 none});
    p.push_back({"sin(3x)/3",
                 [](double x) { return std::sin(3 * x) / 3; },
                 0.2,
                 3,
                 {kPi / 3, 2 * kPi / 3},
                 {},
                 {kPi / 6, kPi / 2, 5 * kPi / 6},
                 (std::cos(0.6L) - std::cos(9.0L)) / 9,
                 0.35,
                 [](int n, LD x) { return std::pow(3.0L, n) * std::sin(3 * x + n * kPi / 2) / 3; }});
    // Double roots (touching): the scan cannot list them.
    p.push_back({"(x-1)^2(x+2)",
                 [](double x) { return (x - 1) * (x - 1) * (x + 2); },
                 -3,
                 3.1,
                 {-2},
                 {1},
                 {-1, 1},
                 (std::pow(3.1L, 4) / 4 - 1.5L * 3.1L * 3.1L + 6.2L) - (81.0L / 4 - 13.5L - 6),
                 0.4,
                 polynomial({2, -3, 0, 1})});
    p.push_back({"cos^2",
                 [](double x) { return std::cos(x) * std::cos(x); },
                 0.3,
                 6,
                 {},
                 {kPi / 2, 3 * kPi / 2},
                 {kPi / 2, kPi, 3 * kPi / 2},
                 (6 / 2.0L + std::sin(12.0L) / 4) - (0.15L + std::sin(0.6L) / 4),
                 0.9,
                 none});
    p.push_back({"sin^2",
                 [](double x) { return std::sin(x) * std::sin(x); },
                 2,
                 8,
                 {},
                 {kPi, 2 * kPi},
                 {kPi / 2 * 3, kPi, 2 * kPi, 5 * kPi / 2},
                 (4 - std::sin(16.0L) / 4) - (1 - std::sin(4.0L) / 4),
                 2.2,
                 none});
    p.push_back({"(x-0.5)^2",
                 [](double x) { return (x - 0.5) * (x - 0.5); },
                 -1,
                 2.3,
                 {},
                 {0.5L},
                 {0.5L},
                 (std::pow(1.8L, 3) + std::pow(1.5L, 3)) / 3,
                 1.5,
                 polynomial({0.25L, -1, 1})});
    p.push_back({"(x^2-2)^2",
                 [](double x) { return (x * x - 2) * (x * x - 2); },
                 -2.1,
                 2.3,
                 {},
                 {-std::sqrt(2.0L), std::sqrt(2.0L)},
                 {-std::sqrt(2.0L), 0, std::sqrt(2.0L)},
                 (std::pow(2.3L, 5) / 5 - 4 * std::pow(2.3L, 3) / 3 + 9.2L)
                     - (std::pow(-2.1L, 5) / 5 - 4 * std::pow(-2.1L, 3) / 3 - 8.4L),
                 0.8,
                 polynomial({4, 0, -4, 0, 1})});
    p.push_back({"x^2*exp(x)",
                 [](double x) { return x * x * std::exp(x); },
                 -3,
                 1.3,
                 {},
                 {0},
                 {-2, 0},
                 std::exp(1.3L) * (1.69L - 2.6L + 2) - std::exp(-3.0L) * (9 + 6 + 2),
                 0.5,
                 none});
    p.push_back({"(1-cos(x))",
                 [](double x) { return 1 - std::cos(x); },
                 -1,
                 7,
                 {},
                 {0, 2 * kPi},
                 {0, kPi, 2 * kPi},
                 (7 - std::sin(7.0L)) - (-1 - std::sin(-1.0L)),
                 1.9,
                 [](int n, LD x) { return -std::cos(x + n * kPi / 2); }});
    // No roots at all: minima of |f| away from 0 must not raise an alarm.
    p.push_back({"x^2+1",
                 [](double x) { return x * x + 1; },
                 -2,
                 2.5,
                 {},
                 {},
                 {0},
                 (std::pow(2.5L, 3) / 3 + 2.5L) - (-8.0L / 3 - 2),
                 0.3,
                 polynomial({1, 0, 1})});
    p.push_back({"cosh",
                 [](double x) { return std::cosh(x); },
                 -3,
                 2,
                 {},
                 {},
                 {0},
                 std::sinh(2.0L) - std::sinh(-3.0L),
                 1.0,
                 [](int n, LD x) { return n % 2 ? std::sinh(x) : std::cosh(x); }});
    p.push_back({"2+sin",
                 [](double x) { return 2 + std::sin(x); },
                 0,
                 9,
                 {},
                 {},
                 {kPi / 2, 3 * kPi / 2, 5 * kPi / 2},
                 18 + 1 - std::cos(9.0L),
                 0.2,
                 [](int n, LD x) { return std::sin(x + n * kPi / 2); }});
    p.push_back({"exp(x)+exp(-x/2)",
                 [](double x) { return std::exp(x) + std::exp(-x / 2); },
                 -3,
                 2,
                 {},
                 {},
                 {-std::log(2.0L) * 2 / 3},
                 (std::exp(2.0L) - 2 * std::exp(-1.0L)) - (std::exp(-3.0L) - 2 * std::exp(1.5L)),
                 0.1,
                 none});
    p.push_back({"1.2+cos(2x)",
                 [](double x) { return 1.2 + std::cos(2 * x); },
                 0.1,
                 5,
                 {},
                 {},
                 {kPi / 2, kPi, 3 * kPi / 2},
                 1.2L * 4.9L + (std::sin(10.0L) - std::sin(0.2L)) / 2,
                 0.7,
                 [](int n, LD x) { return std::pow(2.0L, n) * std::cos(2 * x + n * kPi / 2); }});
    p.push_back({"x^4+0.1",
                 [](double x) { return x * x * x * x + 0.1; },
                 -1.5,
                 1.7,
                 {},
                 {},
                 {0},
                 (std::pow(1.7L, 5) + std::pow(1.5L, 5)) / 5 + 0.32L,
                 0.6,
                 polynomial({0.1L, 0, 0, 0, 1})});
    p.push_back({"log(1+x^2)+0.3",
                 [](double x) { return std::log(1 + x * x) + 0.3; },
                 -2,
                 3,
                 {},
                 {},
                 {0},
                 (3 * std::log(10.0L) - 6 + 2 * std::atan(3.0L) + 0.9L)
                     - (-2 * std::log(5.0L) + 4 - 2 * std::atan(2.0L) - 0.6L),
                 0.9,
                 none});
    p.push_back({"x^2+1E-4",
                 [](double x) { return x * x + 1e-4; },
                 -1.3,
                 1.1,
                 {},
                 {},
                 {0},
                 (std::pow(1.1L, 3) + std::pow(1.3L, 3)) / 3 + 2.4E-4L,
                 0.45,
                 polynomial({1e-4L, 0, 1})});
    return p;
}

struct Tally {
    int ok = 0, all = 0;
    void add(bool good)
    {
        ++all;
        ok += good;
    }
};

StudyInputs inputs(const Case& c, int n, double e)
{
    StudyInputs in;
    in.lower = c.a;
    in.upper = c.b;
    in.subintervals = n;
    in.errorBound = e;
    in.maxIterations = 20;
    return in;
}

}  // namespace

int main()
{
    Tally rootsHeld, extremaHeld, integralsCovered, doublesWarned;
    int falseAlarms = 0, uncertifiedRoots = 0, uncertifiedExtrema = 0;
    int falseDigitClaims = 0, digitsChecked = 0, badValues = 0, badFlagged = 0, integralWarnings = 0;
    std::vector<double> ratios;
    long commandValues[4] = {}, boundValues[4] = {};
    for (const double accuracy : {0.01, 1e-9}) {
        for (const Case& c : panel()) {
            const StudyInputs in = inputs(c, 256, accuracy);
            // Roots
            Native f(c.f);
            const RootsOutcome r = findRoots(f, in);
            commandValues[0] += f.count;
            f.count = 0;
            const auto rb = rootBounds(f, r, in);
            boundValues[0] += f.count;
            for (const RootBound& b : rb) {
                if (!b.certified) {
                    ++uncertifiedRoots;
                    std::printf("  root not certified: %s x=%.17g residual %.3g\n", c.name.c_str(), b.x, b.residual);
                    continue;
                }
                bool held = false;
                for (LD t : c.roots)
                    held = held || (b.lo <= t && t <= b.hi);
                for (LD t : c.doubleRoots)
                    held = held || (b.lo <= t && t <= b.hi);
                rootsHeld.add(held);
                if (!held)
                    std::printf("  root not held: %s x=%.17g [%.17g, %.17g]\n", c.name.c_str(), b.x, b.lo, b.hi);
            }
            int touching = 0;
            for (const Warning& w : r.warnings)
                if (w.kind == Warning::Kind::TouchingRoot) {
                    ++touching;
                    bool near = false;
                    for (LD t : c.doubleRoots)
                        near = near || std::fabs(static_cast<double>(t) - *w.x) < 2 * (c.b - c.a) / 256;
                    if (!near) {
                        ++falseAlarms;
                        std::printf("  false alarm: %s near %.6g\n", c.name.c_str(), *w.x);
                    }
                }
            for (LD t : c.doubleRoots) {
                bool warned = false;
                for (const Warning& w : r.warnings)
                    warned = warned
                             || (w.kind == Warning::Kind::TouchingRoot
                                 && std::fabs(static_cast<double>(t) - *w.x) < 2 * (c.b - c.a) / 256);
                for (double x : r.roots)  // a grid that meets it lists it
                    warned = warned || x == static_cast<double>(t);
                doublesWarned.add(warned);
                if (!warned)
                    std::printf("  double root not warned: %s at %.6g\n", c.name.c_str(), static_cast<double>(t));
            }
            (void)touching;
            // Extrema
            f.count = 0;
            const ExtremaOutcome x = findExtrema(f, in);
            commandValues[1] += f.count;
            f.count = 0;
            const auto xb = extremumBounds(f, x, in);
            boundValues[1] += f.count;
            for (const ExtremumBound& b : xb) {
                if (!b.certified) {
                    ++uncertifiedExtrema;
                    std::printf("  extremum not certified: %s x=%.17g e=%.3g\n", c.name.c_str(), b.x, b.e);
                    continue;
                }
                bool held = false;
                for (LD t : c.extrema)
                    held = held || (b.x - b.e <= t && t <= b.x + b.e);
                extremaHeld.add(held);
                if (!held)
                    std::printf("  extremum not held: %s x=%.17g e=%.3g\n", c.name.c_str(), b.x, b.e);
            }
            // Integral
            f.count = 0;
            const IntegralOutcome g = integrate(f, in);
            commandValues[2] += f.count;
            f.count = 0;
            const auto gb = integralBound(f, g, in);
            boundValues[2] += f.count;
            integralWarnings += !gb.warnings.empty();
            if (gb.bound && g.valid) {
                const double trueError = std::fabs(static_cast<double>(static_cast<LD>(gb.bound->value) - c.integral));
                integralsCovered.add(gb.bound->errorEstimate >= trueError);
                if (trueError > 0)
                    ratios.push_back(gb.bound->errorEstimate / trueError);
                if (gb.bound->errorEstimate < trueError)
                    std::printf("  integral under-estimated: %s E=%g est=%.3g true=%.3g\n", c.name.c_str(), accuracy,
                                gb.bound->errorEstimate, trueError);
            }
            // Values and derivatives
            if (!c.derivative || accuracy != 0.01)
                continue;
            for (int order = 1; order <= 12; ++order) {
                f.count = 0;
                const ValueOutcome v = valueAt(f, order, c.x0, factorialTable(), DerivativeSteps{});
                commandValues[3] += f.count;
                f.count = 0;
                const auto vb = valueBound(f, v, order, c.x0, factorialTable());
                boundValues[3] += f.count;
                if (!vb.bound)
                    continue;
                const LD truth = c.derivative(order, c.x0);
                const double relError = static_cast<double>(std::fabs((vb.bound->value - truth) / truth));
                if (relError >= 1) {
                    ++badValues;
                    badFlagged += !vb.bound->significantDigits.has_value();
                }
                if (vb.bound->significantDigits && truth != 0) {
                    ++digitsChecked;
                    // A claim of d digits is false when the error is beyond half a unit of the d-th digit.
                    const double allowed = 0.5 * std::pow(10.0, 1 - *vb.bound->significantDigits);
                    if (relError > allowed) {
                        ++falseDigitClaims;
                        std::printf("  false digits: %s order %d claims %d, relative error %.3g\n", c.name.c_str(),
                                    order, *vb.bound->significantDigits, relError);
                    }
                }
            }
        }
    }
    std::sort(ratios.begin(), ratios.end());
    const double median = ratios.empty() ? 0 : ratios[ratios.size() / 2];
    std::printf("panel: %zu functions at E = 0.01 and 1E-9\n", panel().size());
    std::printf("certified root intervals holding the root: %d of %d (%d not certified)\n", rootsHeld.ok, rootsHeld.all,
                uncertifiedRoots);
    std::printf("certified extremum intervals holding it: %d of %d (%d not certified)\n", extremaHeld.ok,
                extremaHeld.all, uncertifiedExtrema);
    std::printf("converged integrals whose estimate covers the true error: %d of %d; median estimate/error %.3g\n",
                integralsCovered.ok, integralsCovered.all, median);
    std::printf("integrals with a warning (none of the panel's is unreliable): %d\n", integralWarnings);
    std::printf("significant-digit claims that are false: %d of %d\n", falseDigitClaims, digitsChecked);
    std::printf("values without a correct digit flagged: %d of %d\n", badFlagged, badValues);
    std::printf("double roots warned or listed: %d of %d; false alarms: %d\n", doublesWarned.ok, doublesWarned.all,
                falseAlarms);
    // The default study: the commands' values of f and the bounds'.
    {
        Native f([](double x) {
            const double down = std::exp(-x);
            return std::atan(1.0) * 4 / 3 * x * std::sin(x) * (1 + (-2 * down) / (down + std::exp(x)));
        });
        StudyInputs in;
        in.lower = -8;
        in.upper = 8;
        in.subintervals = 256;
        in.errorBound = 0.01;
        in.maxIterations = 20;
        long command[4], bounds[4];
        const RootsOutcome r = findRoots(f, in);
        command[0] = f.count, f.count = 0;
        rootBounds(f, r, in);
        bounds[0] = f.count, f.count = 0;
        const ExtremaOutcome x = findExtrema(f, in);
        command[1] = f.count, f.count = 0;
        extremumBounds(f, x, in);
        bounds[1] = f.count, f.count = 0;
        const IntegralOutcome g = integrate(f, in);
        command[2] = f.count, f.count = 0;
        integralBound(f, g, in);
        bounds[2] = f.count, f.count = 0;
        const ValueOutcome v = valueAt(f, 1, 0, factorialTable(), DerivativeSteps{});
        command[3] = f.count, f.count = 0;
        valueBound(f, v, 1, 0, factorialTable());
        bounds[3] = f.count;
        std::printf(
            "default study, values of f (command + bounds): roots %ld + %ld, extrema %ld + %ld, "
            "integral %ld + %ld, value %ld + %ld\n",
            command[0], bounds[0], command[1], bounds[1], command[2], bounds[2], command[3], bounds[3]);
    }
    const char* names[] = {"roots", "extrema", "integral", "value"};
    for (int k = 0; k < 4; ++k)
        std::printf("%-8s values of f: command %ld, bounds %ld (%.2fx)\n", names[k], commandValues[k], boundValues[k],
                    commandValues[k] ? 1 + static_cast<double>(boundValues[k]) / commandValues[k] : 0.0);
    return 0;
}
