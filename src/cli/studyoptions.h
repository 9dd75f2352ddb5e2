#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "cli/options.h"
#include "record/studyrecord.h"

namespace tessaly::cli {

class Session;

// The options that set the study fields: --function and, from the record's item
// table, the study items (--lower ... --iterations) or the plot items
// (--window-lx ... --div-y), each a field text.
std::vector<KnownOption> fieldOptions(bool plot);

// The field texts the field options given replace.
void applyFieldOptions(const ParsedArgs& args, record::FieldTexts& texts);

// The study options of every command that reads a study: --function, the study
// items, --constant (repeatable), --study FILE and --settings FILE.
std::vector<KnownOption> studyOptions();

// The usage problem of the study options given, if any (--study with --settings).
std::optional<std::string> studyOptionsProblem(const ParsedArgs& args);

// The fields' texts a command works on: the window's defaults, or those of a
// study file or of a settings file as the window shows them; then the field
// options given. The session receives the file's constants, then the constants
// given with the Add button's rules (a name the button would ignore is a
// warning), and a study file's results. Warnings for a settings file that
// cannot be read (the defaults are used) and for values that took their
// defaults. Nothing when the study file cannot be opened: its message is written
// and the command runs nothing.
std::optional<record::FieldTexts> studyFrom(const ParsedArgs& args, Session& session, std::ostream& err);

// Whether the study has a function the window's field would take (not empty,
// not blanks only); otherwise writes the usage error and the caller exits 2.
bool functionAccepted(const record::FieldTexts& texts, std::ostream& err);

}  // namespace tessaly::cli
