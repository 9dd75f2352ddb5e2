#include "record/studyrecord.h"

#include <cfloat>
#include <cmath>
#include <utility>

#include "common/numbertext.h"
#include "common/rounding.h"
#include "record/valuerules.h"

namespace tessaly::record {
namespace {

// Half a unit in the last place above the largest single (2^128 - 2^103): every
// double below it in magnitude rounds to a finite single.
constexpr double kSingleRoundsToInfinity = 340282356779733661637539395458142568448.0;

}  // namespace

std::vector<std::string> applyFieldRules(StudyRecord& r)
{
    const StudyRecord defaults;
    std::vector<std::string> replaced;
    auto check = [&](bool accepted, auto& value, auto fallback, std::string name) {
        if (accepted)
            return;
        value = fallback;
        replaced.push_back(std::move(name));
    };
    check(equationAccepted(r.equation), r.equation, defaults.equation, kEquationName);
    check(errorBoundAccepted(r.errorBound), r.errorBound, defaults.errorBound, itemName(ErrorBound));
    for (const auto& [lower, upper] : {std::pair{WindowLx, WindowGx}, std::pair{WindowLy, WindowGy}}) {
        if (windowPairAccepted(numberItem(r, lower), numberItem(r, upper)))
            continue;
        setNumberItem(r, lower, numberItem(defaults, lower));
        setNumberItem(r, upper, numberItem(defaults, upper));
        replaced.push_back(itemName(lower));
        replaced.push_back(itemName(upper));
    }
    check(plotStepAccepted(r.plotStep), r.plotStep, defaults.plotStep, itemName(PlotStep));
    check(divisionAccepted(r.divisionX), r.divisionX, defaults.divisionX, itemName(DivisionX));
    check(divisionAccepted(r.divisionY), r.divisionY, defaults.divisionY, itemName(DivisionY));
    check(persistAccepted(r.persist), r.persist, defaults.persist, kPersistName);
    return replaced;
}

std::string replacedMessage(const std::vector<std::string>& names)
{
    if (names.empty())
        return {};
    std::string m = "These values could not be used and were replaced by their defaults: ";
    for (std::size_t k = 0; k < names.size(); ++k)
        m += (k ? ", " : "") + names[k];
    return m + ".";
}

bool fitsItem(ItemType type, double v)
{
    if (!std::isfinite(v))
        return false;
    switch (type) {
    case ItemType::Double: return true;
    case ItemType::Whole: return common::toInt32HalfEven(v).has_value();
    case ItemType::Single: return std::fabs(v) < kSingleRoundsToInfinity;
    }
    return false;
}

double toItemType(ItemType type, double v)
{
    switch (type) {
    case ItemType::Double: return v;
    case ItemType::Whole: return *common::toInt32HalfEven(v);
    case ItemType::Single: return static_cast<float>(v);
    }
    return v;
}

FieldTexts fieldTexts(const StudyRecord& r)
{
    FieldTexts t;
    t.equation = r.equation;
    for (int i = 0; i < kNumberItemCount; ++i) {
        const double v = numberItem(r, i);
        std::string& text = t.numbers[static_cast<std::size_t>(i)];
        switch (kNumberItems[i].type) {
        case ItemType::Double: text = common::shortNumberText(v); break;
        case ItemType::Whole: text = std::to_string(static_cast<std::int32_t>(v)); break;
        case ItemType::Single: text = common::shortSingleNumberText(static_cast<float>(v)); break;
        }
    }
    return t;
}

const FieldTexts& defaultTexts()
{
    static const FieldTexts texts = fieldTexts(StudyRecord{});
    return texts;
}

}  // namespace tessaly::record
