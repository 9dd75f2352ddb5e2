#include "cli/studycommands.h"

#include <functional>

#include "cli/cli.h"
#include "cli/session.h"
#include "cli/studyoptions.h"

namespace tessaly::cli {
namespace {

using Command = std::function<int(const ParsedArgs&, Session&, const record::FieldTexts&, std::ostream&)>;

// Parses the study options (and the command's own), sets the study up as the
// window would; then runs the command.
int studyCommand(std::span<const std::string> args, std::ostream& out, std::ostream& err,
                 std::vector<KnownOption> known, const Command& command)
{
    for (const auto& option : studyOptions())
        known.push_back(option);
    ParsedArgs parsed;
    auto usage = [&err](const std::string& problem) {
        err << problem << "\n" << usageText();
        return kExitUsage;
    };
    if (const auto problem = parseOptions(args, known, parsed))
        return usage(*problem);
    if (const auto problem = studyOptionsProblem(parsed))
        return usage(*problem);
    if (!parsed.positionals.empty())
        return usage("unexpected argument " + parsed.positionals[0]);
    Session session(err);
    const auto texts = studyFrom(parsed, session, err);
    if (!texts)
        return kExitFailed;
    if (!functionAccepted(*texts, err))
        return kExitUsage;
    return command(parsed, session, *texts, out);
}

// Prints a command's rows, then its label; without a label it ended on a failure.
int printed(const std::vector<std::string>& rows, const std::optional<std::string>& label, std::int32_t error,
            Session& s, std::ostream& o)
{
    for (const auto& row : rows)
        o << row << "\n";
    if (!label)
        return s.failed(error);
    o << *label << "\n";
    return kExitOk;
}

}  // namespace

int runRoots(std::span<const std::string> args, std::ostream& out, std::ostream& err)
{
    return studyCommand(args, out, err, {},
                        [](const ParsedArgs&, Session& s, const record::FieldTexts& t, std::ostream& o) {
                            const auto r = s.study.roots(t);
                            return printed(r.rows, r.label, r.error, s, o);
                        });
}

int runExtrema(std::span<const std::string> args, std::ostream& out, std::ostream& err)
{
    return studyCommand(args, out, err, {},
                        [](const ParsedArgs&, Session& s, const record::FieldTexts& t, std::ostream& o) {
                            const auto r = s.study.extrema(t);
                            return printed(r.rows, r.label, r.error, s, o);
                        });
}

int runIntegral(std::span<const std::string> args, std::ostream& out, std::ostream& err)
{
    return studyCommand(args, out, err, {},
                        [](const ParsedArgs&, Session& s, const record::FieldTexts& t, std::ostream& o) {
                            const auto r = s.study.integral(t);
                            return printed({}, r.label, r.error, s, o);
                        });
}

int runValue(std::span<const std::string> args, std::ostream& out, std::ostream& err)
{
    const std::vector<KnownOption> own = {{"--x", false}, {"--order", false}};
    return studyCommand(
        args, out, err, own, [](const ParsedArgs& p, Session& s, const record::FieldTexts& t, std::ostream& o) {
            const auto r = s.study.value(t, p.value("--order").value_or("0"), p.value("--x").value_or("0"));
            return printed({}, r.label, r.error, s, o);
        });
}

}  // namespace tessaly::cli
