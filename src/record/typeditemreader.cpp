#include "record/typeditemreader.h"

namespace tessaly::record {
namespace {

const char* rangeOf(ItemType type)
{
    switch (type) {
    case ItemType::Whole: return "is out of range for a whole number of 32 bits";
    case ItemType::Single: return "is out of range for a single-precision number";
    case ItemType::Double: break;
    }
    return "is out of range";
}

}  // namespace

std::optional<std::string> TypedItemReader::text(const char* expected)
{
    if (!ok())
        return std::nullopt;
    auto item = m_reader.next();
    if (item)
        m_last = *item;
    else
        fail(m_reader.failed() ? std::string("a quote that never closes")
                               : std::string("the file ends where ") + expected + " was expected");
    return item;
}

std::optional<double> TypedItemReader::number()
{
    const auto item = text("a number");
    if (!item)
        return std::nullopt;
    const auto v = parseNumberItem(*item);
    if (!v)
        failItem(*item, "is not a number");
    return v;
}

std::optional<double> TypedItemReader::number(ItemType type)
{
    const auto v = number();
    if (!v)
        return std::nullopt;
    if (!fitsItem(type, *v)) {
        failItem(m_last, rangeOf(type));
        return std::nullopt;
    }
    return toItemType(type, *v);
}

std::optional<std::int32_t> TypedItemReader::count(std::int32_t low, std::int32_t high, const char* what)
{
    const auto v = number();
    if (!v)
        return std::nullopt;
    if (!fitsItem(ItemType::Whole, *v) || toItemType(ItemType::Whole, *v) < low
        || toItemType(ItemType::Whole, *v) > high) {
        failItem(m_last,
                 std::string("is not ") + what + " from " + std::to_string(low) + " to " + std::to_string(high));
        return std::nullopt;
    }
    return static_cast<std::int32_t>(toItemType(ItemType::Whole, *v));
}

std::optional<bool> TypedItemReader::truth()
{
    const auto item = text("#TRUE# or #FALSE#");
    if (!item)
        return std::nullopt;
    if (*item == kTrueItem)
        return true;
    if (*item == kFalseItem)
        return false;
    failItem(*item, "is not #TRUE# or #FALSE#");
    return std::nullopt;
}

bool TypedItemReader::numbers(std::int32_t n, std::vector<double>& out)
{
    for (std::int32_t k = 0; k < n; ++k) {
        const auto v = number();
        if (!v)
            return false;
        out.push_back(*v);
    }
    return true;
}

void TypedItemReader::failItem(const std::string& item, const std::string& what)
{
    // A long item is cut short: the message names it, it does not repeat it.
    std::size_t shown = 40;
    if (item.size() > shown) {
        while (shown > 0 && (static_cast<unsigned char>(item[shown]) & 0xC0) == 0x80)
            --shown;  // not inside a character
    }
    fail(quotedItem(item.size() > shown ? item.substr(0, shown) + "..." : item) + " " + what);
}

void TypedItemReader::fail(const std::string& what)
{
    m_problem = "line " + std::to_string(m_reader.line()) + ": " + what;
}

bool readNumberItems(TypedItemReader& items, StudyRecord& record, int from, int to, std::vector<std::string>& replaced)
{
    for (int i = from; i < to; ++i) {
        const auto v = items.number();
        if (!v)
            return false;
        if (fitsItem(kNumberItems[i].type, *v))
            setNumberItem(record, i, toItemType(kNumberItems[i].type, *v));
        else
            replaced.push_back(itemName(i));
    }
    return true;
}

}  // namespace tessaly::record
