#include "numeric/studyinputs.h"

#include "common/leadingnumber.h"
#include "common/rounding.h"
#include "engine/errors.h"

namespace tessaly::numeric {

std::int32_t readNumber(const std::string& text, double& out)
{
    const auto v = common::readLeadingNumber(text);
    if (!v)
        return engine::err::Overflow;
    out = *v;
    return 0;
}

std::int32_t readWholeNumber(const std::string& text, std::int32_t& out)
{
    double v = 0;
    if (const auto e = readNumber(text, v))
        return e;
    const auto whole = common::toInt32HalfEven(v);
    if (!whole)
        return engine::err::Overflow;
    out = *whole;
    return 0;
}

std::int32_t readStudyInputs(const StudyTexts& texts, StudyInputs& out)
{
    out.equation = texts.equation;
    if (const auto e = readNumber(texts.lower, out.lower))
        return e;
    if (const auto e = readNumber(texts.upper, out.upper))
        return e;
    if (const auto e = readWholeNumber(texts.subintervals, out.subintervals))
        return e;
    if (const auto e = readNumber(texts.errorBound, out.errorBound))
        return e;
    if (const auto e = readWholeNumber(texts.maxIterations, out.maxIterations))
        return e;
    return readWholeNumber(texts.derivative, out.derivativeOrder);
}

}  // namespace tessaly::numeric
