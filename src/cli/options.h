#pragma once

#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tessaly::cli {

// How an option's value is read.
enum class OptionValue {
    Text,    // as given
    Number,  // a field text, read as the window reads its fields; a text with no number at all is warned of
    Choice,  // one of the words the meta names, "on|off"
};

// An option of a command: its name with the leading "--" (or "-o"), whether it
// may be given more than once, how its value is read, and what the command's
// --help says of it: the value's name, one line, and the default that line
// names. Every option takes a value: the next argument, whatever it looks like
// ("--lower -8"), or what follows "=" ("--lower=-8").
struct KnownOption {
    std::string_view name;
    bool repeatable = false;
    OptionValue value = OptionValue::Text;
    std::string_view meta = "VALUE";
    std::string_view help = {};
    std::string_view byDefault = {};
};

struct ParsedArgs {
    std::map<std::string, std::vector<std::string>, std::less<>> values;
    std::vector<std::string> positionals;
    bool help = false;                  // --help or -h was given
    std::vector<std::string> warnings;  // number options whose value has no number

    // The value of an option given once, or nothing.
    std::optional<std::string> value(std::string_view name) const;
    // Every value of a repeatable option, in the order given.
    std::vector<std::string> all(std::string_view name) const;
};

// Splits arguments into options and positionals; "--" ends the options. An
// argument that starts with "-" (and is not "-") before "--" must be a known
// option, "--help" or "-h"; --help stops the parse and asks for the command's
// help. Returns the reason for a usage error (an unknown option, a missing
// value, a value not among an option's choices), or nothing.
std::optional<std::string> parseOptions(std::span<const std::string> args, std::span<const KnownOption> known,
                                        ParsedArgs& out);

// What --help says of the options: a line each, "  --lower A" and what it sets.
std::string optionsHelp(std::span<const KnownOption> known);

}  // namespace tessaly::cli
