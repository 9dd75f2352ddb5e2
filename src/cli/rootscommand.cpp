#include "cli/rootscommand.h"

#include "cli/cli.h"
#include "cli/session.h"
#include "cli/studyoptions.h"
#include "numeric/rootfinder.h"

namespace tessaly::cli {

int runRoots(std::span<const std::string> args, std::ostream& out, std::ostream& err)
{
    ParsedArgs parsed;
    const auto known = studyOptions();
    if (const auto problem = parseOptions(args, known, parsed)) {
        err << *problem << "\n" << usageText();
        return kExitUsage;
    }
    if (!parsed.positionals.empty()) {
        err << "unexpected argument " << parsed.positionals[0] << "\n" << usageText();
        return kExitUsage;
    }

    Session session(err);
    Study study = studyFrom(parsed, session, err);
    numeric::StudyInputs in;
    if (const auto e = readStudy(study, session, in))
        return session.failed(e);
    numeric::EngineFunction f(session.engine, session.object, in.equation);
    const numeric::RootsOutcome r = numeric::findRoots(f, in);
    for (const auto& row : r.rows)
        out << row << "\n";
    if (!r.label)
        return session.failed(r.error);
    out << *r.label << "\n";
    if (r.tableFull)
        session.message(numeric::kRootTableFullMessage);
    return kExitOk;
}

}  // namespace tessaly::cli
