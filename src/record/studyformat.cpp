#include "record/studyformat.h"

#include "common/numbertext.h"
#include "engine/userconstants.h"
#include "record/itemreader.h"
#include "record/typeditemreader.h"

namespace tessaly::record {
namespace {

constexpr const char* kLineEnd = "\r\n";

// The second line holds the record's first number items, the third the rest.
constexpr int kSecondLineItems = [] {
    int n = 0;
    while (n < kNumberItemCount && kNumberItems[n].studyLine == 2)
        ++n;
    return n;
}();

}  // namespace

std::optional<int> unwritableItem(const SettingsItems& items)
{
    for (int i = 0; i < kNumberItemCount; ++i)
        if (!fitsItem(kNumberItems[i].type, items.numbers[static_cast<std::size_t>(i)]))
            return i;
    return std::nullopt;
}

std::string formatStudy(const SettingsItems& items, const StudyResults& results)
{
    auto number = [](double v) { return common::numberText(v); };
    auto line = [](const std::vector<std::string>& parts) {
        std::string s;
        for (const auto& p : parts) {
            if (!s.empty())
                s += ',';
            s += p;
        }
        return s + kLineEnd;
    };
    // The number items of a line, in record order, from the item table.
    auto numbers = [&](int studyLine) {
        std::vector<std::string> parts;
        for (int i = 0; i < kNumberItemCount; ++i)
            if (kNumberItems[i].studyLine == studyLine)
                parts.push_back(number(items.numbers[static_cast<std::size_t>(i)]));
        return parts;
    };
    std::string out = quotedItem(kStudyTag) + kLineEnd;
    std::vector<std::string> second = {quotedItem(items.equation)};
    for (auto& part : numbers(2))
        second.push_back(std::move(part));
    for (auto& part : {std::string(results.integralValid ? kTrueItem : kFalseItem),
                       std::to_string(results.roots.size()), std::to_string(results.possibleRootCount),
                       std::to_string(results.maxima.size()), std::to_string(results.minima.size())})
        second.push_back(part);
    out += line(second);
    out += line(numbers(3));
    out += std::to_string(items.constants.size()) + kLineEnd;
    for (const auto& c : items.constants)
        out += quotedItem(c) + kLineEnd;
    if (results.integralValid)
        out += number(results.integralValue) + kLineEnd;
    for (const auto* list : {&results.roots, &results.maxima, &results.minima})
        for (double v : *list)
            out += number(v) + kLineEnd;
    return out;
}

ParsedStudy parseStudy(std::string_view text)
{
    ParsedStudy out;
    TypedItemReader items(text);
    const auto tag = items.text();
    if (!tag || *tag != kStudyTag) {
        if (tag)
            items.failItem(*tag, "is not \"Tessaly\"");
        return {std::nullopt, items.problem(), {}};
    }
    StudyFile study;
    StudyRecord& r = study.record;
    StudyResults& results = study.results;
    std::vector<std::string>& replaced = out.replaced;

    const auto equation = items.text("the function");
    if (!equation || !readNumberItems(items, r, 0, kSecondLineItems, replaced))
        return {std::nullopt, items.problem(), {}};
    r.equation = *equation;
    const auto integralValid = items.truth();
    const auto roots = items.count(0, kMaxPositions, "a root count");
    const auto possible = items.count(0, INT32_MAX, "a count of possible roots");
    const auto maxima = items.count(0, kMaxPositions, "a maximum count");
    const auto minima = items.count(0, kMaxPositions, "a minimum count");
    if (!items.ok() || !readNumberItems(items, r, kSecondLineItems, kNumberItemCount, replaced))
        return {std::nullopt, items.problem(), {}};
    const auto constants = items.count(0, engine::UserConstants::kCapacity, "a number of constants");
    for (std::int32_t k = 0; constants && k < *constants; ++k) {
        const auto statement = items.text("a constant");
        if (!statement)
            break;
        r.constants.push_back(*statement);
    }
    if (!items.ok())
        return {std::nullopt, items.problem(), {}};
    results.integralValid = *integralValid;
    if (results.integralValid) {
        const auto v = items.number();
        if (!v)
            return {std::nullopt, items.problem(), {}};
        results.integralValue = *v;
    }
    results.possibleRootCount = *possible;
    if (!items.numbers(*roots, results.roots) || !items.numbers(*maxima, results.maxima)
        || !items.numbers(*minima, results.minima))
        return {std::nullopt, items.problem(), {}};

    for (auto& name : applyFieldRules(r))
        replaced.push_back(std::move(name));
    out.study = std::move(study);
    return out;
}

}  // namespace tessaly::record
