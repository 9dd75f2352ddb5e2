#include "cli/options.h"

#include <algorithm>

#include "common/leadingnumber.h"

namespace tessaly::cli {
namespace {

// The choices written "a|b|c", and the words that say them: "a, b or c".
std::vector<std::string_view> choicesOf(std::string_view choices)
{
    std::vector<std::string_view> words;
    for (std::size_t from = 0;;) {
        const std::size_t bar = choices.find('|', from);
        words.push_back(choices.substr(from, bar - from));
        if (bar == std::string_view::npos)
            return words;
        from = bar + 1;
    }
}

std::string saidAsChoices(const std::vector<std::string_view>& words)
{
    std::string said;
    for (std::size_t i = 0; i < words.size(); ++i) {
        if (i > 0)
            said += i + 1 == words.size() ? " or " : ", ";
        said += words[i];
    }
    return said;
}

}  // namespace

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
        // "--name=value": the value is what follows the first "=".
        const std::size_t equals = a.starts_with("--") ? a.find('=') : std::string::npos;
        const std::string name = a.substr(0, equals);
        if (name == "--help" || name == "-h") {
            if (equals != std::string::npos)
                return name + " takes no value";
            out.help = true;
            return std::nullopt;
        }
        const KnownOption* option = nullptr;
        for (const auto& s : known)
            if (s.name == name)
                option = &s;
        if (!option)
            return "unknown option " + name;
        std::string value;
        if (equals != std::string::npos)
            value = a.substr(equals + 1);
        else if (i + 1 < args.size())
            value = args[++i];
        else
            return "missing value for " + a;
        auto& list = out.values[name];
        if (!list.empty() && !option->repeatable)
            return name + " given more than once";
        if (option->value == OptionValue::Number && !common::beginsWithNumber(value))
            out.warnings.push_back(name + " \"" + value + "\" has no number; using 0");
        if (option->value == OptionValue::Choice) {
            const auto words = choicesOf(option->meta);
            if (std::find(words.begin(), words.end(), value) == words.end())
                return name + " takes " + saidAsChoices(words);
        }
        list.push_back(std::move(value));
    }
    return std::nullopt;
}

std::string optionsHelp(std::span<const KnownOption> known)
{
    // The descriptions start in one column, on the next line after a long name,
    // and are folded at a blank to keep lines within 79 characters.
    constexpr std::size_t kColumn = 26, kWidth = 79;
    std::string text;
    for (const KnownOption& o : known) {
        std::string line = "  ";
        line.append(o.name);
        if (!o.meta.empty())
            line.append(" ").append(o.meta);
        std::string help(o.help);
        if (!o.byDefault.empty())
            help.append(" (default ").append(o.byDefault).append(")");
        if (help.empty()) {
            text += line + "\n";
            continue;
        }
        if (line.size() >= kColumn) {
            text += line + "\n";
            line.clear();
        }
        line.append(kColumn - line.size(), ' ');
        while (line.size() + help.size() > kWidth) {
            const std::size_t blank = help.rfind(' ', kWidth - line.size());
            if (blank == std::string::npos || blank == 0)
                break;
            text += line + help.substr(0, blank) + "\n";
            help.erase(0, blank + 1);
            line.assign(kColumn, ' ');
        }
        text += line + help + "\n";
    }
    return text;
}

}  // namespace tessaly::cli
