#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "numeric/studyfunction.h"
#include "numeric/studyinputs.h"

namespace tessaly::numeric {

struct IntegralOutcome {
    std::optional<std::string> label;    // the integral's number text or "No convergence"; nothing after a failure
    std::optional<double> value;         // the integral (IntegralValue), set only when the command reaches its end
    bool valid = false;                  // IntegralValid, with value
    std::int32_t error = 0;              // the failure that ended the command, 0 if none
    std::optional<std::string> message;  // the message box a failure shows
    double currentX = 0;
    // For the bound told beside the result: Simpson's first estimate, then the
    // Boole estimates in order (the last is the result), the same rule's
    // estimates of the integral of |f| at each step, and the final panels (n
    // panels of width H from a, each holding two subintervals).
    std::vector<double> estimates;
    std::vector<double> absEstimates;
    double panelWidth = 0;
    std::int32_t panels = 0;
};

// The Integral command: a Simpson estimate on two panels, then the composite
// Boole rule, halving the panels (reusing every earlier value of f) until two
// successive estimates differ by at most E with at least N panels, or M halvings
// were made. Every value is computed in the order the rule writes it, which
// fixes the last digits of the result.
IntegralOutcome integrate(StudyFunction& f, const StudyInputs& in);

// The message a failure of the Integral command shows, if any.
std::optional<std::string> integralFailureMessage(std::int32_t error);

}  // namespace tessaly::numeric
