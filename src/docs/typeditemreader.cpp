#include "docs/typeditemreader.h"

namespace tessaly::docs {

std::optional<std::string> TypedItemReader::text()
{
    if (!ok())
        return std::nullopt;
    auto item = m_reader.next();
    if (!item)
        fail(m_reader.failed() ? "a quote that never closes" : "the file ends here");
    return item;
}

std::optional<double> TypedItemReader::number(ItemType type)
{
    const auto item = text();
    if (!item)
        return std::nullopt;
    const auto v = parseNumberItem(*item);
    if (!v) {
        fail("not a number");
        return std::nullopt;
    }
    if (!fitsItem(type, *v)) {
        fail("out of range");
        return std::nullopt;
    }
    return toItemType(type, *v);
}

std::optional<std::int32_t> TypedItemReader::count(std::int32_t low, std::int32_t high, const char* what)
{
    const auto v = number(ItemType::Whole);
    if (!v)
        return std::nullopt;
    if (*v < low || *v > high) {
        fail(what);
        return std::nullopt;
    }
    return static_cast<std::int32_t>(*v);
}

std::optional<bool> TypedItemReader::truth()
{
    const auto item = text();
    if (!item)
        return std::nullopt;
    if (*item == kTrueItem)
        return true;
    if (*item == kFalseItem)
        return false;
    fail("not #TRUE# or #FALSE#");
    return std::nullopt;
}

bool TypedItemReader::numbers(std::int32_t n, std::vector<double>& out)
{
    for (std::int32_t k = 0; k < n; ++k) {
        const auto v = number(ItemType::Double);
        if (!v)
            return false;
        out.push_back(*v);
    }
    return true;
}

void TypedItemReader::fail(const char* what) { m_problem = "line " + std::to_string(m_reader.line()) + ": " + what; }

}  // namespace tessaly::docs
