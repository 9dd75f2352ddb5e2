#pragma once

#include <cstdint>
#include <string>

namespace tessaly::numeric {

// The texts of the study fields as the user typed them; the defaults are those
// of a window started without a settings file.
struct StudyTexts {
    std::string equation = "pi/3*x*sin(x)*tanh(x)";
    std::string lower = "-8";
    std::string upper = "8";
    std::string subintervals = "256";
    std::string errorBound = ".01";
    std::string maxIterations = "20";
    std::string derivative = "Function";
};

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

// Reads the working values from the field texts: the function text as typed, the
// numbers with the leading-number reader, the whole numbers rounded half to even.
// Returns 0, or 6 (Overflow) when a number lies beyond the range of its type; the
// values read before that one are set.
std::int32_t readStudyInputs(const StudyTexts& texts, StudyInputs& out);

// A field's number rounded half to even to 32 bits, or 6 when it does not fit.
std::int32_t readWholeNumber(const std::string& text, std::int32_t& out);

// A field's number, or 6 when it lies beyond the range of a double.
std::int32_t readNumber(const std::string& text, double& out);

}  // namespace tessaly::numeric
