#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace tessaly::record {

// A study: the function, the interval and accuracy, the plot settings, the user
// constants and the persist choice, in the record's fixed order (items 1 to 17),
// with the defaults of a window started without a settings file. These
// initializers are the only place the defaults are written: the fields' default
// texts are the record's own texts (fieldTexts(StudyRecord{})).
struct StudyRecord {
    std::string equation = "pi/3*x*sin(x)*tanh(x)";  // 1
    double lower = -8;                               // 2
    double upper = 8;                                // 3
    std::int32_t subintervals = 256;                 // 4
    double errorBound = 0.01;                        // 5
    std::int32_t maxIterations = 20;                 // 6
    float windowLx = -20;                            // 7
    float windowGx = 20;                             // 8
    float windowLy = -15;                            // 9
    float windowGy = 15;                             // 10
    std::int32_t plotStep = 1;                       // 11
    float originX = 0;                               // 12
    float originY = 0;                               // 13
    float divisionX = 1;                             // 14
    float divisionY = 1;                             // 15
    std::vector<std::string> constants;              // 16
    std::int32_t persist = 0;                        // 17

    bool operator==(const StudyRecord&) const = default;
};

// The record's number items 2 to 15 by their index 0 to 13, in record order.
enum Item : int {
    Lower,
    Upper,
    Subintervals,
    ErrorBound,
    MaxIterations,
    WindowLx,
    WindowGx,
    WindowLy,
    WindowGy,
    PlotStep,
    OriginX,
    OriginY,
    DivisionX,
    DivisionY,
};
constexpr int kNumberItemCount = 14;

// The kind of value an item holds: a double, a 32-bit whole number, or a single.
enum class ItemType { Double, Whole, Single };

// The table of the number items, in record order: the order of the settings
// file (item i on line i + 2), of both number lines of the study file, of the
// fields' texts and of every list of items in the program. Each names the
// window's field that shows it, what messages call it (its label without the
// colon, or what its tool tip says it is), its type, the line of the study file
// that keeps it, the command-line option that sets it, and how to get and set it.
struct NumberItem {
    const char* field;
    const char* name;
    ItemType type;
    int studyLine;
    const char* option;
    double (*get)(const StudyRecord&);
    void (*set)(StudyRecord&, double);  // the value already of the item's type
};

inline constexpr NumberItem kNumberItems[kNumberItemCount] = {
    {"txtXlower", "Lower limit of interval to be studied", ItemType::Double, 2, "--lower",
     [](const StudyRecord& r) { return r.lower; }, [](StudyRecord& r, double v) { r.lower = v; }},
    {"txtXupper", "Upper limit of interval to be studied", ItemType::Double, 2, "--upper",
     [](const StudyRecord& r) { return r.upper; }, [](StudyRecord& r, double v) { r.upper = v; }},
    {"txtSubintervals", "# of subintervals", ItemType::Whole, 2, "--subintervals",
     [](const StudyRecord& r) { return double(r.subintervals); },
     [](StudyRecord& r, double v) { r.subintervals = static_cast<std::int32_t>(v); }},
    {"txtError", "Approx. error bound", ItemType::Double, 2, "--error",
     [](const StudyRecord& r) { return r.errorBound; }, [](StudyRecord& r, double v) { r.errorBound = v; }},
    {"txtMaxcy", "Max. # of iterations", ItemType::Whole, 2, "--iterations",
     [](const StudyRecord& r) { return double(r.maxIterations); },
     [](StudyRecord& r, double v) { r.maxIterations = static_cast<std::int32_t>(v); }},
    {"txtWindowlx", "Lower limit for x (plotting)", ItemType::Single, 3, "--window-lx",
     [](const StudyRecord& r) { return double(r.windowLx); },
     [](StudyRecord& r, double v) { r.windowLx = static_cast<float>(v); }},
    {"txtWindowgx", "Upper limit for x (plotting)", ItemType::Single, 3, "--window-gx",
     [](const StudyRecord& r) { return double(r.windowGx); },
     [](StudyRecord& r, double v) { r.windowGx = static_cast<float>(v); }},
    {"txtWindowly", "Lower limit for y (plotting)", ItemType::Single, 3, "--window-ly",
     [](const StudyRecord& r) { return double(r.windowLy); },
     [](StudyRecord& r, double v) { r.windowLy = static_cast<float>(v); }},
    {"txtWindowgy", "Upper limit for y (plotting)", ItemType::Single, 3, "--window-gy",
     [](const StudyRecord& r) { return double(r.windowGy); },
     [](StudyRecord& r, double v) { r.windowGy = static_cast<float>(v); }},
    {"txtPlotStep", "Plot step", ItemType::Whole, 3, "--plot-step",
     [](const StudyRecord& r) { return double(r.plotStep); },
     [](StudyRecord& r, double v) { r.plotStep = static_cast<std::int32_t>(v); }},
    {"txtXorigin", "x-origin", ItemType::Single, 3, "--origin-x",
     [](const StudyRecord& r) { return double(r.originX); },
     [](StudyRecord& r, double v) { r.originX = static_cast<float>(v); }},
    {"txtYorigin", "y-origin", ItemType::Single, 3, "--origin-y",
     [](const StudyRecord& r) { return double(r.originY); },
     [](StudyRecord& r, double v) { r.originY = static_cast<float>(v); }},
    {"txtDivx", "x-divisions", ItemType::Single, 3, "--div-x", [](const StudyRecord& r) { return double(r.divisionX); },
     [](StudyRecord& r, double v) { r.divisionX = static_cast<float>(v); }},
    {"txtDivy", "y-divisions", ItemType::Single, 3, "--div-y", [](const StudyRecord& r) { return double(r.divisionY); },
     [](StudyRecord& r, double v) { r.divisionY = static_cast<float>(v); }},
};

// The order in which the window puts a record's numbers into its fields (the
// plot step after the origins); each assignment fires the field's change rule.
inline constexpr Item kShownOrder[kNumberItemCount] = {Lower,    Upper,    Subintervals, ErrorBound, MaxIterations,
                                                       WindowLx, WindowGx, WindowLy,     WindowGy,   OriginX,
                                                       OriginY,  PlotStep, DivisionX,    DivisionY};

// The names of the two items that are not numbers, for messages.
inline constexpr const char* kEquationName = "f(x)";
inline constexpr const char* kPersistName = "Persist";

// Item 2 + i of a record as a double, and its setter (the value already of the
// item's type).
inline double numberItem(const StudyRecord& r, int i) { return kNumberItems[i].get(r); }
inline void setNumberItem(StudyRecord& r, int i, double v) { kNumberItems[i].set(r, v); }
inline std::string itemName(int i) { return kNumberItems[i].name; }

// Replaces the values a field would refuse (an empty or blank function, an error
// bound not above 0, a plot step outside 1..80, a division of 0, a window pair out
// of order, a persist choice other than 0 or 1) by their defaults; a window limit
// pair goes back to its default pair. Returns the names of the items replaced,
// in record order.
std::vector<std::string> applyFieldRules(StudyRecord& r);

// What the user is told when a file's values were replaced by their defaults,
// naming them; empty when none was.
std::string replacedMessage(const std::vector<std::string>& names);

// Whether a double read from a field fits the item's type: finite, within 32
// bits once rounded for a whole number, rounding to a finite single for a single
// (so the 15-digit text of the largest single reads back).
bool fitsItem(ItemType type, double v);

// A double converted to the item's type: whole numbers rounded half to even,
// singles rounded to single precision. The value must fit (fitsItem).
double toItemType(ItemType type, double v);

// The texts of the window's fields that carry a study: the function, the
// numbers of items 2 to 15 (by Item) and the plot selection, as typed.
struct FieldTexts {
    std::string equation;
    std::array<std::string, kNumberItemCount> numbers;
    std::string derivative = "Function";

    std::string& operator[](Item i) { return numbers[static_cast<std::size_t>(i)]; }
    const std::string& operator[](Item i) const { return numbers[static_cast<std::size_t>(i)]; }
    bool operator==(const FieldTexts&) const = default;
};

// The texts the window's fields show for a record: the function text as it is,
// each number in the short number text of its own type (".01", "-20.12346",
// "256"), the plot selection "Function".
FieldTexts fieldTexts(const StudyRecord& r);

// The texts of a window started without a settings file.
const FieldTexts& defaultTexts();

}  // namespace tessaly::record
