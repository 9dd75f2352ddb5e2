#pragma once

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "cli/json.h"
#include "cli/options.h"
#include "numeric/trust.h"

namespace tessaly::cli {

class Session;

// The option --format of the numerical commands: text (the default), csv, tsv or json.
KnownOption formatOption();

// What a numerical command found, in the forms every output format takes from it.
struct CommandResult {
    std::string command;                     // its name
    std::vector<std::string> rows;           // the rows it prints, as the window lists them
    std::optional<std::string> label;        // the label, when it wrote one
    std::int32_t error = 0;                  // the failure that ended it; 0 when it reached its end
    std::vector<std::string> columns;        // the names of each result's values
    std::vector<std::vector<Json>> results;  // one a result, a value for each column
    std::vector<numeric::Warning> warnings;  // what the results cannot be trusted for
};

// Writes the result in the format the arguments give, and the failure that
// ended the command (if any) last on standard error; returns the exit status.
// text: the rows, then the label. csv and tsv: a line of the column names, then
// one a result (numbers as number text, truth values true or false, nothing for
// a missing value). json: one object on one line,
//   {"command": name, "rows": [texts], "label": text or null, "error": number,
//    "messages": [texts], "results": [objects], "warnings": [objects]}
// with the messages the session wrote to standard error; each warning is
// {"kind", "text"} with "x", or "from" and "to", where it has a place: first
// those about the command line (kind "input", written to standard error too),
// then the result's own (touching_root, zero_run, ...; only here).
int writeResult(const CommandResult& result, const ParsedArgs& args, Session& session, std::ostream& out);

}  // namespace tessaly::cli
