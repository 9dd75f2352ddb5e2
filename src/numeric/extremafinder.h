#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "numeric/studyfunction.h"
#include "numeric/studyinputs.h"
#include "numeric/tabulation.h"

namespace tessaly::numeric {

// Each position table holds this many extrema (slots 1..255).
constexpr int kExtremaSlots = 255;

inline constexpr const char* kExtremaTableFullMessage = "Only the first 255 maxima and minima are listed.";

struct ExtremaOutcome {
    std::vector<std::string> rows;     // "MIN:[x , y]", "MAX: [x , y]", ... in scan order
    std::vector<double> maxPositions;  // slots 1..MaxCount
    std::vector<double> minPositions;  // slots 1..MinCount
    std::int32_t possibleRoots = 0;
    std::optional<std::string> label;  // "3 max. 3 min. "; nothing when the command ended on a failure
    std::int32_t error = 0;            // the number the trap recorded last, 0 if none
    bool tableFull = false;            // a 256th maximum or minimum ended the scan (the label is still written)
    // The rows' extrema, in row order: the kind, position and height of each
    // row and the size of the last Newton step that placed it (0 for a point
    // met on the grid), for the bounds told beside the rows.
    struct Found {
        bool maximum = false;
        double x = 0;
        double y = 0;
        double step = 0;
    };
    std::vector<Found> found;
    double currentX = 0;
};

// The Extrema command: walks the grid watching the sign of the central
// difference f(x + d) - f(x - d), d = 0.0045; classifies grid points where it is
// 0, and refines each change of sign by Newton steps on f' with five-point
// differences. Counts the extrema where |f| <= E as possible roots. Failures
// are handled as by the Roots command.
// The grid's values are computed ahead as for the Roots command.
ExtremaOutcome findExtrema(StudyFunction& f, const StudyInputs& in, const Parallelism& parallelism = {});

// The summary: "2 max. 3 min. " and, when there are possible roots, "1 possible root(s).".
std::string extremaLabel(std::int32_t maxima, std::int32_t minima, std::int32_t possibleRoots);

// A row: "MIN: [x , y]" (spaced) or "MIN:[x , y]".
std::string extremumRow(bool maximum, bool spaced, double x, double y);

// An extremum's height: f at its position, or the number of the error that f
// raised there (the heights are not kept with the positions).
struct Height {
    double x = 0;
    double y = 0;
    std::int32_t error = 0;
};
// f at each position, in order.
std::vector<Height> heightsAt(StudyFunction& f, const std::vector<double>& positions);

}  // namespace tessaly::numeric
