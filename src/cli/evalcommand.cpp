#include "cli/evalcommand.h"

#include "cli/cli.h"
#include "cli/options.h"
#include "common/leadingnumber.h"
#include "common/numbertext.h"
#include "engine/class1.h"
#include "engine/engine.h"
#include "engine/errors.h"
#include "engine/evaluation.h"

namespace tessaly::cli {
namespace {

constexpr KnownOption kEvalOptions[] = {{"--x", false}, {"--statement", true}};

int failed(std::ostream& err, std::int32_t number)
{
    err << "error " << number << ": " << engine::errorDescription(number) << "\n";
    return kExitFailed;
}

}  // namespace

int runEval(std::span<const std::string> args, std::ostream& out, std::ostream& err)
{
    ParsedArgs parsed;
    if (const auto problem = parseOptions(args, kEvalOptions, parsed)) {
        err << *problem << "\n" << usageText();
        return kExitUsage;
    }
    if (parsed.positionals.size() != 1) {
        err << (parsed.positionals.empty() ? "missing expression" : "more than one expression") << "\n" << usageText();
        return kExitUsage;
    }

    engine::Class1 object;
    engine::Engine eng;
    eng.addObject(object);
    // The main window shows engine errors in a message box, except the tolerated ones.
    eng.setErrorObserver([&err](const engine::ScriptError& e) {
        if (engine::mainWindowShowsError(e.number))
            err << "message: " << e.description << "\n";
    });
    for (const auto statement : engine::kStartupStatements)
        eng.executeStatement(statement);

    for (const std::string& statement : parsed.all("--statement"))
        if (const auto e = eng.executeStatement(statement))
            return failed(err, engine::trappedError(e, object));

    double x = 0;
    if (const auto text = parsed.value("--x")) {
        const auto v = common::readLeadingNumber(*text);
        if (!v)
            return failed(err, engine::err::Overflow);
        x = *v;
    }

    const engine::FunctionValue r = engine::evaluateAt(eng, object, parsed.positionals[0], x);
    if (r.error)
        return failed(err, engine::trappedError(r.error, object));
    out << common::numberText(r.value) << "\n";
    return kExitOk;
}

}  // namespace tessaly::cli
