#include "record/settingsformat.h"

#include <limits>

#include "common/leadingnumber.h"
#include "common/numbertext.h"
#include "engine/userconstants.h"
#include "record/itemreader.h"
#include "record/typeditemreader.h"
#include "record/valuerules.h"

namespace tessaly::record {
namespace {

constexpr const char* kLineEnd = "\r\n";

}  // namespace

SettingsItems itemsOf(const StudyRecord& record)
{
    SettingsItems items;
    items.equation = record.equation;
    for (int i = 0; i < kNumberItemCount; ++i)
        items.numbers[static_cast<std::size_t>(i)] = numberItem(record, i);
    items.constants = record.constants;
    items.persist = record.persist;
    return items;
}

SettingsItems itemsOfTexts(const FieldTexts& texts, std::vector<std::string> constants)
{
    SettingsItems items;
    items.equation = texts.equation;
    for (std::size_t i = 0; i < texts.numbers.size(); ++i)
        items.numbers[i] =
            common::readLeadingNumber(texts.numbers[i]).value_or(std::numeric_limits<double>::infinity());
    items.constants = std::move(constants);
    return items;
}

std::string formatSettings(const SettingsItems& items)
{
    const StudyRecord defaults;
    std::string out = quotedItem(items.equation) + kLineEnd;
    for (int i = 0; i < kNumberItemCount; ++i) {
        double v = items.numbers[static_cast<std::size_t>(i)];
        if (!fitsItem(kNumberItems[i].type, v))
            v = numberItem(defaults, i);
        out += common::shortNumberText(v) + kLineEnd;
    }
    out += std::to_string(items.constants.size()) + kLineEnd;
    for (const auto& c : items.constants)
        out += quotedItem(c) + kLineEnd;
    out += common::shortNumberText(persistAccepted(items.persist) ? items.persist : defaults.persist) + kLineEnd;
    return out;
}

ParsedSettings parseSettings(std::string_view text)
{
    TypedItemReader items(text);
    ParsedSettings out;
    StudyRecord r;
    const auto equation = items.text("the function");
    if (!equation || !readNumberItems(items, r, 0, kNumberItemCount, out.replaced))
        return {std::nullopt, items.problem(), {}};
    r.equation = *equation;
    const auto count = items.count(0, engine::UserConstants::kCapacity, "a number of constants");
    for (std::int32_t k = 0; count && k < *count; ++k) {
        const auto statement = items.text("a constant");
        if (!statement)
            break;
        r.constants.push_back(*statement);
    }
    const auto persist = items.number();
    if (!persist)
        return {std::nullopt, items.problem(), {}};
    if (persistAccepted(*persist))
        r.persist = static_cast<std::int32_t>(*persist);
    else
        out.replaced.push_back(kPersistName);

    for (auto& name : applyFieldRules(r))
        out.replaced.push_back(std::move(name));
    out.record = std::move(r);
    return out;
}

}  // namespace tessaly::record
