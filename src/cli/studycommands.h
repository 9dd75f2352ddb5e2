#pragma once

#include <functional>
#include <ostream>
#include <vector>

#include "cli/options.h"
#include "record/studyrecord.h"

namespace tessaly::cli {

class Session;

// The numerical commands of the main window on a study given by options; each
// prints the rows of its list, then its label, as the window shows them, or
// its results in the format --format names.
std::vector<KnownOption> listOptions();  // --format and the study options
int runRoots(const ParsedArgs& args, std::ostream& out, std::ostream& err);
int runExtrema(const ParsedArgs& args, std::ostream& out, std::ostream& err);
int runIntegral(const ParsedArgs& args, std::ostream& out, std::ostream& err);
// value [--x X] [--order K]: the Value= command (defaults "0" and "0").
std::vector<KnownOption> valueOptions();
int runValue(const ParsedArgs& args, std::ostream& out, std::ostream& err);

// Sets the study up as the window would (the study options given) and runs the
// command on it; the exit status.
using StudyWork = std::function<int(Session&, const record::FieldTexts&)>;
int studyCommand(const ParsedArgs& args, std::ostream& err, const StudyWork& work);

// The options --x and --order, as Value= reads them.
KnownOption xOption();
KnownOption orderOption();

}  // namespace tessaly::cli
