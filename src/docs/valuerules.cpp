#include "docs/valuerules.h"

#include <cmath>

#include "common/rounding.h"

namespace tessaly::docs {

bool equationAccepted(std::string_view text) { return !text.empty(); }
bool errorBoundAccepted(double value) { return value > 0; }
bool divisionAccepted(double value) { return value != 0; }
bool plotStepAccepted(double value) { return value == std::floor(value) && value >= 1 && value <= 80; }
bool windowPairAccepted(double lower, double upper) { return lower < upper; }
bool persistAccepted(double value) { return value == 0 || value == 1; }

std::int32_t subintervalsFor(double value)
{
    const double rounded = common::roundHalfEven(value);
    if (!(rounded >= 2))
        return 2;
    if (rounded >= kMaxSubintervals)
        return kMaxSubintervals;
    std::int32_t power = 2;
    while (power < rounded)
        power *= 2;
    return power;
}

}  // namespace tessaly::docs
