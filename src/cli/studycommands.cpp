#include "cli/studycommands.h"

#include <functional>

#include "cli/cli.h"
#include "cli/session.h"
#include "cli/studyoptions.h"
#include "numeric/derivatives.h"
#include "numeric/extremafinder.h"
#include "numeric/integrator.h"
#include "numeric/rootfinder.h"

namespace tessaly::cli {
namespace {

using Command = std::function<int(const ParsedArgs&, Session&, const numeric::StudyInputs&, std::ostream&)>;
// The message a command shows when its study cannot be read, by the failure's number.
using ReadFailureMessage = std::function<std::optional<std::string>(std::int32_t)>;

// Parses the study options (and the command's own), sets the study up as the
// window would and reads it; then runs the command.
int studyCommand(std::span<const std::string> args, std::ostream& out, std::ostream& err,
                 std::vector<KnownOption> known, const Command& command,
                 const ReadFailureMessage& readFailureMessage = {})
{
    for (const auto& option : studyOptions())
        known.push_back(option);
    ParsedArgs parsed;
    if (const auto problem = parseOptions(args, known, parsed)) {
        err << *problem << "\n" << usageText();
        return kExitUsage;
    }
    if (const auto problem = studyOptionsProblem(parsed)) {
        err << *problem << "\n" << usageText();
        return kExitUsage;
    }
    if (!parsed.positionals.empty()) {
        err << "unexpected argument " << parsed.positionals[0] << "\n" << usageText();
        return kExitUsage;
    }
    Session session(err);
    auto study = studyFrom(parsed, session, err);
    if (!study)
        return kExitFailed;
    if (!functionAccepted(*study, err))
        return kExitUsage;
    numeric::StudyInputs in;
    if (const auto e = readStudy(*study, session, in)) {
        session.tellReadFailure(readFailureMessage ? readFailureMessage(e) : std::nullopt);
        return session.failed(e);
    }
    return command(parsed, session, in, out);
}

void printRows(const std::vector<std::string>& rows, std::ostream& out)
{
    for (const auto& row : rows)
        out << row << "\n";
}

}  // namespace

int runRoots(std::span<const std::string> args, std::ostream& out, std::ostream& err)
{
    return studyCommand(args, out, err, {}, [](const ParsedArgs&, Session& s, const numeric::StudyInputs& in, std::ostream& o) {
        numeric::EngineFunction f(s.engine, s.object, in.equation);
        const numeric::RootsOutcome r = numeric::findRoots(f, in);
        printRows(r.rows, o);
        if (!r.label)
            return s.failed(r.error);
        o << *r.label << "\n";
        if (r.tableFull)
            s.message(numeric::kRootTableFullMessage);
        return kExitOk;
    });
}

int runExtrema(std::span<const std::string> args, std::ostream& out, std::ostream& err)
{
    return studyCommand(args, out, err, {}, [](const ParsedArgs&, Session& s, const numeric::StudyInputs& in, std::ostream& o) {
        numeric::EngineFunction f(s.engine, s.object, in.equation);
        const numeric::ExtremaOutcome r = numeric::findExtrema(f, in);
        printRows(r.rows, o);
        if (!r.label)
            return s.failed(r.error);
        o << *r.label << "\n";
        if (r.tableFull)
            s.message(numeric::kExtremaTableFullMessage);
        return kExitOk;
    });
}

int runIntegral(std::span<const std::string> args, std::ostream& out, std::ostream& err)
{
    return studyCommand(args, out, err, {}, [](const ParsedArgs&, Session& s, const numeric::StudyInputs& in, std::ostream& o) {
        numeric::EngineFunction f(s.engine, s.object, in.equation);
        const numeric::IntegralOutcome r = numeric::integrate(f, in);
        if (!r.label) {
            if (r.message)
                s.message(*r.message);
            return s.failed(r.error);
        }
        o << *r.label << "\n";
        return kExitOk;
    }, numeric::integralFailureMessage);
}

int runValue(std::span<const std::string> args, std::ostream& out, std::ostream& err)
{
    const std::vector<KnownOption> own = {{"--x", false}, {"--order", false}};
    return studyCommand(args, out, err, own, [](const ParsedArgs& p, Session& s, const numeric::StudyInputs& in, std::ostream& o) {
        std::int32_t order = 0;
        double x = 0;
        if (const auto e = numeric::readWholeNumber(p.value("--order").value_or("0"), order))
            return s.failed(e);
        if (const auto e = numeric::readNumber(p.value("--x").value_or("0"), x))
            return s.failed(e);
        numeric::EngineFunction f(s.engine, s.object, in.equation);
        const numeric::ValueOutcome r =
            numeric::valueAt(f, order, x, numeric::factorialTable(), numeric::DerivativeSteps{});
        if (!r.label)
            return s.failed(r.error);
        o << *r.label << "\n";
        return kExitOk;
    });
}

}  // namespace tessaly::cli
