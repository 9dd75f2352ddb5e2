#pragma once

#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tessaly::cli {

// An option of a subcommand. Every option takes the next argument as its value,
// whatever it looks like ("--lower -8").
struct KnownOption {
    std::string_view name;  // with its leading "--"
    bool repeatable = false;
};

struct ParsedArgs {
    std::map<std::string, std::vector<std::string>, std::less<>> values;
    std::vector<std::string> positionals;

    // The value of an option given once, or nothing.
    std::optional<std::string> value(std::string_view name) const;
    // Every value of a repeatable option, in the order given.
    std::vector<std::string> all(std::string_view name) const;
};

// Splits arguments into options and positionals; "--" ends the options. An
// argument that starts with "-" (and is not "-") before "--" must be a known
// option. Returns the reason for a usage error, or nothing.
std::optional<std::string> parseOptions(std::span<const std::string> args, std::span<const KnownOption> known,
                                        ParsedArgs& out);

}  // namespace tessaly::cli
