#include "evaluator/evaluatortext.h"

#include <cmath>

#include "common/leadingnumber.h"
#include "common/numbertext.h"

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
    std::string_view t = common::trimBlanks(resultText);
    const bool negative = common::takeSign(t);
    bool overflow = false;
    const auto v = common::parseWholeDecimal(t, overflow);
    if (!v || t.empty())
        return std::nullopt;
    const double negated = negative ? *v : -*v;
    return common::numberText(negated == 0 ? 0.0 : negated);
}

std::string resultRow(std::string_view result)
{
    std::string row = "     ";
    row += result;
    return row;
}

std::string errorMessage(const engine::ScriptError& e)
{
    std::string m = e.source;
    m += ' ';
    m += std::to_string(e.number);
    m += '\n';
    m += e.description;
    m += "\n\nAt line ";
    m += std::to_string(e.line);
    m += ", col ";
    m += std::to_string(e.column);
    m += ": [";
    m += e.text;
    m += ']';
    return m;
}

bool silentError(std::int32_t number) { return number == 5 || number == 6 || number == 11 || number == -2147352319; }

}  // namespace tessaly::evaluator
