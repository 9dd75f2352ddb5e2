#pragma once

#include <ostream>
#include <vector>

#include "cli/options.h"
#include "docs/studyfile.h"
#include "engine/userconstants.h"
#include "numeric/studyinputs.h"
#include "plot/plotsettings.h"

namespace tessaly::cli {

class Session;

// The study options of the numerical commands: --function --lower --upper
// --subintervals --error --iterations (field texts), --constant (repeatable),
// --study FILE and --settings FILE.
std::vector<KnownOption> studyOptions();

// The usage problem of the study options given, if any (--study with --settings).
std::optional<std::string> studyOptionsProblem(const ParsedArgs& args);

// The study a command works on: the window's defaults, or the study of a study
// file or of a settings file (the fields' texts as the window shows it, and the
// study file's results); then the options given, and the constants given after
// the study's own, with the Add button's rules.
struct Study {
    numeric::StudyTexts texts;
    plot::PlotTexts plot;
    engine::UserConstants constants;
    docs::StudyResults results;
};

// Builds the study; writes a warning for a settings file that cannot be read
// (the defaults are used) and for a constant the Add button would ignore, and a
// message for one it would refuse. Nothing when the study file cannot be
// opened: its message is written and the command runs nothing.
std::optional<Study> studyFrom(const ParsedArgs& args, Session& session, std::ostream& err);

// Whether the study has a function the window's field would take (not empty,
// not blanks only); otherwise writes the usage error and the caller exits 2.
bool functionAccepted(const Study& study, std::ostream& err);

// As the window's ReadStudyInputs: runs the constants, then reads the fields.
// Returns 0 or the number that ends the command.
std::int32_t readStudy(Study& study, Session& session, numeric::StudyInputs& in);

}  // namespace tessaly::cli
