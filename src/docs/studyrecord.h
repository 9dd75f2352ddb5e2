#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tessaly::docs {

// A study: the function, the interval and accuracy, the plot settings, the user
// constants and the persist choice, in the record's fixed order (items 1 to 17),
// with the defaults of a window started without a settings file.
struct StudyRecord {
    std::string equation = "pi/3*x*sin(x)*tanh(x)";  // 1
    double lower = -8;                                // 2
    double upper = 8;                                 // 3
    std::int32_t subintervals = 256;                  // 4
    double errorBound = 0.01;                         // 5
    std::int32_t maxIterations = 20;                  // 6
    float windowLx = -20;                             // 7
    float windowGx = 20;                              // 8
    float windowLy = -15;                             // 9
    float windowGy = 15;                              // 10
    std::int32_t plotStep = 1;                        // 11
    float originX = 0;                                // 12
    float originY = 0;                                // 13
    float divisionX = 1;                              // 14
    float divisionY = 1;                              // 15
    std::vector<std::string> constants;               // 16
    std::int32_t persist = 0;                         // 17

    bool operator==(const StudyRecord&) const = default;
};

// The numeric items 2 to 15, in record order, and their types.
enum class ItemType { Double, Whole, Single };
struct NumberItem {
    const char* field;  // the window's field that shows it
    ItemType type;
};
inline constexpr NumberItem kNumberItems[14] = {
    {"txtXlower", ItemType::Double},   {"txtXupper", ItemType::Double},   {"txtSubintervals", ItemType::Whole},
    {"txtError", ItemType::Double},    {"txtMaxcy", ItemType::Whole},     {"txtWindowlx", ItemType::Single},
    {"txtWindowgx", ItemType::Single}, {"txtWindowly", ItemType::Single}, {"txtWindowgy", ItemType::Single},
    {"txtPlotStep", ItemType::Whole},  {"txtXorigin", ItemType::Single},  {"txtYorigin", ItemType::Single},
    {"txtDivx", ItemType::Single},     {"txtDivy", ItemType::Single},
};

// Replaces the values a field would refuse (an empty or blank function, an error
// bound not above 0, a plot step outside 1..80, a division of 0, a window pair out
// of order, a persist choice other than 0 or 1) by their defaults; a window limit
// pair goes back to its default pair. Returns the names of the items replaced,
// in record order.
std::vector<std::string> applyFieldRules(StudyRecord& r);

// The name an item goes by in messages: its field's label without the colon, or
// what its tool tip says it is when it has no label of its own. itemName(i) is
// item 2 + i; the function and the persist choice have names of their own.
std::string itemName(int i);
inline constexpr const char* kEquationName = "f(x)";
inline constexpr const char* kPersistName = "Persist";

// What the user is told when a file's values were replaced by their defaults,
// naming them; empty when none was.
std::string replacedMessage(const std::vector<std::string>& names);

// Item 2 + i of a record as a double, and its setter (the value already of the item's type).
double numberItem(const StudyRecord& r, int i);
void setNumberItem(StudyRecord& r, int i, double v);

// Whether a double read from a field fits the item's type: finite, within 32
// bits once rounded for a whole number, rounding to a finite single for a single
// (so the 15-digit text of the largest single reads back).
bool fitsItem(ItemType type, double v);

// A double converted to the item's type: whole numbers rounded half to even,
// singles rounded to single precision. The value must fit (fitsItem).
double toItemType(ItemType type, double v);

// The texts the window's fields show for a record: the function text as it is,
// each number in the short number text of its own type (".01", "-20.12346",
// "256"), and the persist choice.
struct RecordTexts {
    std::string equation;
    std::string numbers[14];  // items 2 to 15
};
RecordTexts fieldTexts(const StudyRecord& r);

}  // namespace tessaly::docs
