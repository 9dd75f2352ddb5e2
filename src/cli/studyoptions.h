#pragma once

#include <istream>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "cli/options.h"
#include "engine/value.h"
#include "record/studyrecord.h"

namespace tessaly::cli {

class Session;

// The options that set the study fields: --function and, from the record's item
// table, the study items (--lower ... --iterations) or the plot items
// (--window-lx ... --div-y), each a field text.
std::vector<KnownOption> fieldOptions(bool plot);

// The field texts the field options given replace.
void applyFieldOptions(const ParsedArgs& args, record::FieldTexts& texts);

// The study options of every command that reads a study: --function (or
// --function-file), the study items, --constant (repeatable), --study FILE and
// --settings FILE.
std::vector<KnownOption> studyOptions();

// The longest function that --function - and --function-file read, in
// characters (as the language counts them): the longest text it holds, 65535.
constexpr std::size_t kMaxFunctionLength = engine::kMaxTextLength;

// Checks the study options given together and reads the function that
// "--function -" (from in) or --function-file FILE names: the first line, its
// line end (LF or CR LF) removed, at most kMaxFunctionLength characters; it
// becomes --function's value. Nothing when all is well; otherwise writes the
// problem and returns the exit status: 2 for a usage error (--study with
// --settings, --function with --function-file, a function too long), 1 when
// the function cannot be read ("error: cannot read FILE: REASON").
std::optional<int> readStudyInputs(ParsedArgs& args, std::istream& in, std::ostream& err);

// The fields' texts a command works on: the window's defaults, or those of a
// study file or of a settings file as the window shows them; then the field
// options given. The session receives the file's constants, then the constants
// given with the Add button's rules (a name the button would ignore is a
// warning), and a study file's results. Warnings first for the number options
// without a number, then for a settings file that cannot be read (the defaults
// are used) and for values that took their defaults. Nothing when the study
// file cannot be opened: its message is written and the command runs nothing.
std::optional<record::FieldTexts> studyFrom(const ParsedArgs& args, Session& session);

// Whether the study has a function the window's field would take (not empty,
// not blanks only); otherwise writes the usage error and the caller exits 2.
bool functionAccepted(const record::FieldTexts& texts, std::ostream& err);

}  // namespace tessaly::cli
