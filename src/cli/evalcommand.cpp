#include "cli/evalcommand.h"

#include "cli/cli.h"
#include "cli/options.h"
#include "cli/session.h"
#include "common/numbertext.h"
#include "engine/evaluation.h"
#include "record/fieldreading.h"

namespace tessaly::cli {

std::vector<KnownOption> evalOptions()
{
    return {
        {"--x", false, OptionValue::Number, "X", "the value of x", "0"},
        {"--statement", true, OptionValue::Text, "S", "a statement run first, as a user constant runs (repeatable)"}};
}

int runEval(const ParsedArgs& parsed, std::ostream& out, std::ostream& err)
{
    if (parsed.positionals.size() != 1)
        return usageError(err, parsed.positionals.empty() ? "missing expression" : "more than one expression");

    Session session(err);
    for (const std::string& warning : parsed.warnings)
        session.warning(warning);
    engine::Engine& engine = session.study.engine();
    engine::Class1& object = session.study.extension();
    for (const std::string& statement : parsed.all("--statement"))
        if (const auto e = engine.executeStatement(statement))
            return session.failed(engine::trappedError(e, object));

    double x = 0;
    if (const auto text = parsed.value("--x"))
        if (const auto e = record::readNumber(*text, x))
            return session.failed(e);

    const engine::FunctionValue r = engine::evaluateAt(engine, object, parsed.positionals[0], x);
    if (r.error)
        return session.failed(engine::trappedError(r.error, object));
    out << common::numberText(r.value) << "\n";
    return kExitOk;
}

}  // namespace tessaly::cli
