#pragma once

#include <ostream>
#include <vector>

#include "cli/options.h"
#include "engine/userconstants.h"
#include "numeric/studyinputs.h"

namespace tessaly::cli {

class Session;

// The study options of the numerical commands: --function --lower --upper
// --subintervals --error --iterations (field texts), --constant (repeatable) and
// --settings FILE.
std::vector<KnownOption> studyOptions();

// The study a command works on: the window's defaults, or the study of a settings
// file; then the options given, and the constants given after the study's own,
// with the Add button's rules.
struct Study {
    numeric::StudyTexts texts;
    engine::UserConstants constants;
};

// Builds the study; writes a warning for a settings file that cannot be read
// (the defaults are used) and for a constant the Add button would ignore, and a
// message for one it would refuse.
Study studyFrom(const ParsedArgs& args, Session& session, std::ostream& err);

// As the window's ReadStudyInputs: runs the constants, then reads the fields.
// Returns 0 or the number that ends the command.
std::int32_t readStudy(Study& study, Session& session, numeric::StudyInputs& in);

}  // namespace tessaly::cli
