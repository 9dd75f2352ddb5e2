#include "record/fieldreading.h"

#include "common/leadingnumber.h"
#include "common/rounding.h"
#include "engine/errors.h"

namespace tessaly::record {

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

std::int32_t readStudyInputs(const FieldTexts& texts, numeric::StudyInputs& out)
{
    out.equation = texts.equation;
    std::int32_t e = 0;
    (e = readNumber(texts[Lower], out.lower)) || (e = readNumber(texts[Upper], out.upper))
        || (e = readWholeNumber(texts[Subintervals], out.subintervals))
        || (e = readNumber(texts[ErrorBound], out.errorBound))
        || (e = readWholeNumber(texts[MaxIterations], out.maxIterations))
        || (e = readWholeNumber(texts.derivative, out.derivativeOrder));
    return e;
}

}  // namespace tessaly::record
