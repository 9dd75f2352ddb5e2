#include "docs/studyrecord.h"

#include <cfloat>
#include <cmath>

#include "common/numbertext.h"
#include "common/rounding.h"
#include "docs/valuerules.h"

namespace tessaly::docs {
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
    check(errorBoundAccepted(r.errorBound), r.errorBound, defaults.errorBound, itemName(3));
    if (!windowPairAccepted(r.windowLx, r.windowGx)) {
        r.windowLx = defaults.windowLx;
        r.windowGx = defaults.windowGx;
        replaced.push_back(itemName(5));
        replaced.push_back(itemName(6));
    }
    if (!windowPairAccepted(r.windowLy, r.windowGy)) {
        r.windowLy = defaults.windowLy;
        r.windowGy = defaults.windowGy;
        replaced.push_back(itemName(7));
        replaced.push_back(itemName(8));
    }
    check(plotStepAccepted(r.plotStep), r.plotStep, defaults.plotStep, itemName(9));
    check(divisionAccepted(r.divisionX), r.divisionX, defaults.divisionX, itemName(12));
    check(divisionAccepted(r.divisionY), r.divisionY, defaults.divisionY, itemName(13));
    check(persistAccepted(r.persist), r.persist, defaults.persist, kPersistName);
    return replaced;
}

std::string itemName(int i)
{
    static constexpr const char* kNames[14] = {
        "Lower limit of interval to be studied",
        "Upper limit of interval to be studied",
        "# of subintervals",
        "Approx. error bound",
        "Max. # of iterations",
        "Lower limit for x (plotting)",
        "Upper limit for x (plotting)",
        "Lower limit for y (plotting)",
        "Upper limit for y (plotting)",
        "Plot step",
        "x-origin",
        "y-origin",
        "x-divisions",
        "y-divisions",
    };
    return kNames[i];
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

double numberItem(const StudyRecord& r, int i)
{
    switch (i) {
    case 0: return r.lower;
    case 1: return r.upper;
    case 2: return r.subintervals;
    case 3: return r.errorBound;
    case 4: return r.maxIterations;
    case 5: return r.windowLx;
    case 6: return r.windowGx;
    case 7: return r.windowLy;
    case 8: return r.windowGy;
    case 9: return r.plotStep;
    case 10: return r.originX;
    case 11: return r.originY;
    case 12: return r.divisionX;
    default: return r.divisionY;
    }
}

void setNumberItem(StudyRecord& r, int i, double v)
{
    // Converted only for the items of that type: v is already of the item's type.
    auto whole = [v] { return static_cast<std::int32_t>(v); };
    auto single = [v] { return static_cast<float>(v); };
    switch (i) {
    case 0: r.lower = v; break;
    case 1: r.upper = v; break;
    case 2: r.subintervals = whole(); break;
    case 3: r.errorBound = v; break;
    case 4: r.maxIterations = whole(); break;
    case 5: r.windowLx = single(); break;
    case 6: r.windowGx = single(); break;
    case 7: r.windowLy = single(); break;
    case 8: r.windowGy = single(); break;
    case 9: r.plotStep = whole(); break;
    case 10: r.originX = single(); break;
    case 11: r.originY = single(); break;
    case 12: r.divisionX = single(); break;
    default: r.divisionY = single(); break;
    }
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

RecordTexts fieldTexts(const StudyRecord& r)
{
    RecordTexts t;
    t.equation = r.equation;
    for (int i = 0; i < 14; ++i) {
        const double v = numberItem(r, i);
        switch (kNumberItems[i].type) {
        case ItemType::Double: t.numbers[i] = common::shortNumberText(v); break;
        case ItemType::Whole: t.numbers[i] = std::to_string(static_cast<std::int32_t>(v)); break;
        case ItemType::Single: t.numbers[i] = common::shortSingleNumberText(static_cast<float>(v)); break;
        }
    }
    return t;
}

}  // namespace tessaly::docs
