#include "evaluator/evaluatortext.h"

#include <cmath>

#include "common/leadingnumber.h"
#include "common/numbertext.h"
#include "record/itemreader.h"

namespace tessaly::evaluator {

std::optional<double> memoryAfter(double memory, std::string_view resultText, int sign)
{
    const auto value = common::readLeadingNumber(resultText);
    if (!value)
        return std::nullopt;
    const double next = sign >= 0 ? memory + *value : memory - *value;
    if (!std::isfinite(next))
        return std::nullopt;
    return next;
}

std::optional<std::string> negatedResult(std::string_view resultText)
{
    const auto v = record::parseNumberItem(resultText);
    if (!v)
        return std::nullopt;
    const double negated = -*v;
    return common::numberText(negated == 0 ? 0.0 : negated);
}

std::string resultRow(std::string_view result)
{
    std::string row = "     ";
    row += result;
    return row;
}

bool silentError(std::int32_t number) { return number == 5 || number == 6 || number == 11 || number == -2147352319; }

}  // namespace tessaly::evaluator
