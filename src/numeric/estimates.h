#pragma once

#include <vector>

#include "numeric/derivatives.h"
#include "numeric/extremafinder.h"
#include "numeric/integrator.h"
#include "numeric/rootfinder.h"
#include "numeric/studyfunction.h"
#include "numeric/studyinputs.h"
#include "numeric/trust.h"

namespace tessaly::numeric {

// The bounds of a command's results, from what the command left and a few more
// values of f, taken after it ended (its results do not change). A failure of
// f at one of those leaves that result uncertified; it is never raised.

// Each root's residual |f(x)| and an interval around it on which f changes
// sign: from twice the last Newton correction |f(x) / f'(x)|, doubled up to the
// grid step. About two values of f a root.
std::vector<RootBound> rootBounds(StudyFunction& f, const RootsOutcome& roots, const StudyInputs& in);

// Each extremum row's ± e (from its last Newton step, doubled until f rises
// outward at e/2 and at e by more than its noise, up to twice the grid step),
// the height's uncertainty, and the sounder possible-root test (the height
// within its uncertainty of 0, or a sign change within a grid step). About six
// values of f a row.
std::vector<ExtremumBound> extremumBounds(StudyFunction& f, const ExtremaOutcome& extrema, const StudyInputs& in);

// The integral's error estimate from the last three Boole estimates and the
// integral of |f|, with warnings when that integral moved by more than 1 % at the
// last halving, and when a three-point Gauss rule on the final panels (3 values
// of f a panel, done up to kMaxGaussPanels panels) disagrees by more than the
// estimate. Nothing for an integral that failed.
struct IntegralTrust {
    std::optional<IntegralBound> bound;
    std::vector<Warning> warnings;
};
constexpr std::int32_t kMaxGaussPanels = 1 << 16;
IntegralTrust integralBound(StudyFunction& f, const IntegralOutcome& integral, const StudyInputs& in);

// The Value= result's error estimate: the rounding of its formula's terms
// (4 ε Σ|w f|) and twice the larger change of the value with the step doubled
// and halved (2 (K + 1) more values of f for order K), its significant digits,
// and a warning without any. Nothing for a value that failed.
struct ValueTrust {
    std::optional<ValueBound> bound;
    std::vector<Warning> warnings;
};
ValueTrust valueBound(StudyFunction& f, const ValueOutcome& value, std::int32_t order, double x,
                      const Factorials& factorials);

}  // namespace tessaly::numeric
