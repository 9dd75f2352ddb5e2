#include "docs/studyrecord.h"

#include <cfloat>
#include <cmath>

#include "common/numbertext.h"
#include "common/rounding.h"
#include "docs/valuerules.h"

namespace tessaly::docs {

void applyFieldRules(StudyRecord& r)
{
    const StudyRecord defaults;
    if (!equationAccepted(r.equation))
        r.equation = defaults.equation;
    if (!errorBoundAccepted(r.errorBound))
        r.errorBound = defaults.errorBound;
    if (!plotStepAccepted(r.plotStep))
        r.plotStep = defaults.plotStep;
    if (!divisionAccepted(r.divisionX))
        r.divisionX = defaults.divisionX;
    if (!divisionAccepted(r.divisionY))
        r.divisionY = defaults.divisionY;
    if (!windowPairAccepted(r.windowLx, r.windowGx)) {
        r.windowLx = defaults.windowLx;
        r.windowGx = defaults.windowGx;
    }
    if (!windowPairAccepted(r.windowLy, r.windowGy)) {
        r.windowLy = defaults.windowLy;
        r.windowGy = defaults.windowGy;
    }
    if (!persistAccepted(r.persist))
        r.persist = defaults.persist;
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
    const auto whole = static_cast<std::int32_t>(v);
    const auto single = static_cast<float>(v);
    switch (i) {
    case 0: r.lower = v; break;
    case 1: r.upper = v; break;
    case 2: r.subintervals = whole; break;
    case 3: r.errorBound = v; break;
    case 4: r.maxIterations = whole; break;
    case 5: r.windowLx = single; break;
    case 6: r.windowGx = single; break;
    case 7: r.windowLy = single; break;
    case 8: r.windowGy = single; break;
    case 9: r.plotStep = whole; break;
    case 10: r.originX = single; break;
    case 11: r.originY = single; break;
    case 12: r.divisionX = single; break;
    default: r.divisionY = single; break;
    }
}

bool fitsItem(ItemType type, double v)
{
    if (!std::isfinite(v))
        return false;
    switch (type) {
    case ItemType::Double: return true;
    case ItemType::Whole: return common::toInt32HalfEven(v).has_value();
    case ItemType::Single: return std::fabs(v) <= static_cast<double>(FLT_MAX);
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
