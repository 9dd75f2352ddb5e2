#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "engine/evaluation.h"
#include "numeric/studyfunction.h"

namespace tessaly::numeric {

// 0! to 33!, slot k = k * slot k-1 from slot 0 = 1.
using Factorials = std::array<double, 34>;
Factorials factorialTable();

// The steps of the finite differences, for the order they were prepared for.
struct DerivativeSteps {
    std::int32_t order = 0;
    double d = 0.0045;          // probe step
    double e = 0.009;           // double step (2h from order 3)
    double e2 = 0.009 * 0.009;  // square of the double step, for order 2
    double h = 0;               // step of the order-n difference: 10^(-5/n)
    double C = 0;               // n! / e^n
};

// Prepares the steps for an order: d, e and e² always; h, e = 2h and C above 2.
// An order above 33 has no factorial: 9 (Subscript out of range).
std::int32_t prepareDerivativeSteps(std::int32_t order, const Factorials& factorials, DerivativeSteps& steps);

// f or its derivative of the prepared order at x: 0 f(x); 1 the two-point
// central difference; 2 the three-point second difference; others the order-n
// central difference (0 for a negative order). A failing evaluation's number is
// returned; a result beyond the double range is 6.
// When magnitude is given it receives the sum of the magnitudes of the
// formula's terms, in the result's scale (what its rounding is measured by).
engine::FunctionValue derivativeAt(StudyFunction& f, const DerivativeSteps& steps, const Factorials& factorials,
                                   double x, double* magnitude = nullptr);

struct ValueOutcome {
    std::optional<std::string> label;  // the value's number text; nothing after a failure
    std::int32_t error = 0;
    double currentX = 0;
    DerivativeSteps steps;  // the steps the command left
    double value = 0;       // the value the label shows
    double magnitude = 0;   // the sum of the magnitudes of its formula's terms
};

// The Value= command at x for an order: f itself, the five-point first and
// second derivatives with step d, or the order-n difference of derivativeAt.
ValueOutcome valueAt(StudyFunction& f, std::int32_t order, double x, const Factorials& factorials,
                     const DerivativeSteps& previous);

}  // namespace tessaly::numeric
