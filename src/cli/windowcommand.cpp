#include "cli/windowcommand.h"

#include "cli/cli.h"
#include "cli/options.h"
#include "cli/plotoptions.h"
#include "cli/studyoptions.h"
#include "plot/windowcommand.h"
#include "record/valuerules.h"

namespace tessaly::cli {

// The plot options are taken as the plot command takes them; only the window's limits count.
std::vector<KnownOption> windowOptions()
{
    std::vector<KnownOption> known = plotOptions();
    known.push_back({"--command", false, OptionValue::Text, "NAME",
                     "the window button: in, out, q1 to q4, left, right, up, down, x+, x-, y+ or y-"});
    return known;
}

int runWindow(const ParsedArgs& parsed, std::ostream& out, std::ostream& err)
{
    const auto name = parsed.value("--command");
    if (!name)
        return usageError(err, "missing --command in|out|q1|q2|q3|q4|left|right|up|down|x+|x-|y+|y-");
    const auto command = plot::windowCommandNamed(*name);
    if (!command)
        return usageError(err, "unknown window command " + *name);

    for (const std::string& warning : parsed.warnings)
        err << "warning: " << warning << "\n";
    record::FieldTexts texts = record::defaultTexts();
    applyFieldOptions(parsed, texts);
    const plot::PlotWindow from = plot::windowOfTexts(texts);
    const auto changed = plot::changeWindow(from, *command);
    if (!changed) {
        // A limit beyond the single-precision range, or a lower limit not below its upper one.
        err << record::kZoomLimitReached << "\n";
        return kExitUsage;
    }
    for (const std::string& text : plot::windowTexts(*changed))
        out << text << "\n";
    return kExitOk;
}

}  // namespace tessaly::cli
