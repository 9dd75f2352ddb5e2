#include "cli/options.h"

namespace tessaly::cli {

std::optional<std::string> ParsedArgs::value(std::string_view name) const
{
    const auto it = values.find(name);
    if (it == values.end() || it->second.empty())
        return std::nullopt;
    return it->second.back();
}

std::vector<std::string> ParsedArgs::all(std::string_view name) const
{
    const auto it = values.find(name);
    return it == values.end() ? std::vector<std::string>{} : it->second;
}

std::optional<std::string> parseOptions(std::span<const std::string> args, std::span<const KnownOption> known,
                                        ParsedArgs& out)
{
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (optionsEnded || a.size() < 2 || a[0] != '-') {
            out.positionals.push_back(a);
            continue;
        }
        if (a == "--") {
            optionsEnded = true;
            continue;
        }
        const KnownOption* option = nullptr;
        for (const auto& s : known)
            if (s.name == a)
                option = &s;
        if (!option)
            return "unknown option " + a;
        if (i + 1 >= args.size())
            return "missing value for " + a;
        auto& list = out.values[a];
        if (!list.empty() && !option->repeatable)
            return a + " given more than once";
        list.push_back(args[++i]);
    }
    return std::nullopt;
}

}  // namespace tessaly::cli
