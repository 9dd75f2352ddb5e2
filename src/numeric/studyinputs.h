#pragma once

#include <cstdint>
#include <string>

namespace tessaly::numeric {

// The working study values that the numerical commands read.
struct StudyInputs {
    std::string equation;
    double lower = 0;
    double upper = 0;
    std::int32_t subintervals = 0;
    double errorBound = 0;
    std::int32_t maxIterations = 0;
    std::int32_t derivativeOrder = 0;  // 0 for "Function", k for "kth.derivative"
};

}  // namespace tessaly::numeric
