#pragma once

#include <span>
#include <string>
#include <vector>

#include "cli/options.h"
#include "numeric/studyinputs.h"

namespace tessaly::cli {

// The study options of the numerical commands: --function --lower --upper
// --subintervals --error --iterations, each a field text.
std::vector<KnownOption> studyOptions();

// The study fields' texts: the window's defaults, replaced by the options given.
numeric::StudyTexts studyTexts(const ParsedArgs& args);

}  // namespace tessaly::cli
