// Feeds any bytes to the settings reader and to the study reader, as a damaged or
// hostile file would reach them.
//
// Besides crashes, leaks, undefined behaviour, hangs and runaway memory (found by
// the sanitizers and libFuzzer's limits) it stops on outcomes that break the
// readers' own rules: a refusal without a reason, a record whose items the
// writer cannot write, or a file the program wrote that it cannot read back
// (the same record, nothing replaced, on the second reading).

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "record/settingsformat.h"
#include "record/studyformat.h"

namespace {

using namespace tessaly::record;

void require(bool rule)
{
    if (!rule)
        __builtin_trap();
}

// What the writer writes of a record reads back as a record, and writing that
// one again gives the same text: a second save of an opened file changes nothing.
void settingsReadBack(const StudyRecord& record)
{
    const std::string written = formatSettings(itemsOf(record));
    const ParsedSettings again = parseSettings(written);
    require(again.record.has_value() && again.problem.empty());
    require(formatSettings(itemsOf(*again.record)) == written);
}

void studyReadBack(const StudyFile& study)
{
    const SettingsItems items = itemsOf(study.record);
    require(!unwritableItem(items).has_value());
    require(study.results.roots.size() <= kMaxPositions && study.results.maxima.size() <= kMaxPositions
            && study.results.minima.size() <= kMaxPositions);
    const std::string written = formatStudy(items, study.results);
    const ParsedStudy again = parseStudy(written);
    require(again.study.has_value() && again.problem.empty());
    require(formatStudy(itemsOf(again.study->record), again.study->results) == written);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);

    const ParsedSettings settings = parseSettings(input);
    require(settings.record.has_value() != !settings.problem.empty());
    if (settings.record)
        settingsReadBack(*settings.record);

    const ParsedStudy study = parseStudy(input);
    require(study.study.has_value() != !study.problem.empty());
    if (study.study)
        studyReadBack(*study.study);
    return 0;
}
