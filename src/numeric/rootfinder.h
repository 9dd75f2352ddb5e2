#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "numeric/studyfunction.h"
#include "numeric/studyinputs.h"
#include "numeric/trust.h"

namespace tessaly::numeric {

// The root table holds this many roots (slots 1..255).
constexpr int kRootSlots = 255;

// The message shown when a 256th root ends the scan.
inline constexpr const char* kRootTableFullMessage = "Only the first 255 roots are listed.";

struct RootsOutcome {
    std::vector<std::string> rows;     // the rows of the root list, in the order found
    std::vector<double> roots;         // the root table, slots 1..count
    std::optional<std::string> label;  // "5 roots"; nothing when the command ended on a failure
    std::int32_t error = 0;            // the number the trap recorded last, 0 if none
    bool tableFull = false;            // a 256th root ended the scan (the label is still written)
    // For the bounds told beside the rows: f' as the last Newton step of each
    // root saw it (0 for a root met on the grid), and what the scan could not
    // list (touching roots, runs of zeros, sign changes left unsettled).
    std::vector<double> slopes;
    std::vector<Warning> warnings;
    // The working values the command leaves in the window.
    double currentX = 0;
};

// The Roots command: walks the grid of N steps from a to b by repeated addition,
// watches the sign of f, and refines each sign change by Newton steps whose slope
// is a central difference. A tolerated failure (5, 6, 11, -2147352319) restarts
// the scan at the grid point after the last one reached; any other ends the
// command without a label. Ends with 5 for a study that cannot be scanned (a
// subinterval count below 1, or a grid step too small to move x) and with the
// failure's number when the grid cannot even be set up. A 256th root ends the
// scan: the label still counts the 255 listed and tableFull is set.
RootsOutcome findRoots(StudyFunction& f, const StudyInputs& in);

}  // namespace tessaly::numeric
