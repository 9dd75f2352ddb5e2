#include "cli/studycommands.h"

#include <cmath>

#include "cli/cli.h"
#include "cli/resultoutput.h"
#include "cli/session.h"
#include "cli/studyoptions.h"

namespace tessaly::cli {

int studyCommand(const ParsedArgs& args, std::ostream& err, const StudyWork& work)
{
    Session session(err);
    const auto texts = studyFrom(args, session);
    if (!texts)
        return kExitFailed;
    if (!functionAccepted(*texts, err))
        return kExitUsage;
    return work(session, *texts);
}

KnownOption xOption() { return {"--x", false, OptionValue::Number, "X", "the abscissa", "0"}; }

KnownOption orderOption()
{
    return {"--order", false, OptionValue::Number, "K", "the derivative's order; 0 is f itself", "0"};
}

std::vector<KnownOption> listOptions()
{
    std::vector<KnownOption> known = studyOptions();
    known.insert(known.begin(), formatOption());
    return known;
}

std::vector<KnownOption> valueOptions()
{
    std::vector<KnownOption> known = listOptions();
    known.insert(known.begin(), {xOption(), orderOption()});
    return known;
}

int runRoots(const ParsedArgs& args, std::ostream& out, std::ostream& err)
{
    return studyCommand(args, err, [&](Session& s, const record::FieldTexts& t) {
        const auto r = s.study.roots(t);
        CommandResult result{"roots", r.rows, r.label, r.label ? 0 : r.error, {"x"}, {}};
        for (const double x : r.roots)
            result.results.push_back({x});
        return writeResult(result, args, s, out);
    });
}

int runExtrema(const ParsedArgs& args, std::ostream& out, std::ostream& err)
{
    return studyCommand(args, err, [&](Session& s, const record::FieldTexts& t) {
        const auto r = s.study.extrema(t);
        CommandResult result{"extrema", r.rows, r.label, r.label ? 0 : r.error, {"kind", "x", "y", "possible_root"},
                             {}};
        // A possible root as the report marks one: |f| within the error bound.
        const double bound = s.study.study().errorBound;
        for (const auto& e : r.found)
            result.results.push_back({e.maximum ? "max" : "min", e.x, e.y, std::fabs(e.y) <= bound});
        return writeResult(result, args, s, out);
    });
}

int runIntegral(const ParsedArgs& args, std::ostream& out, std::ostream& err)
{
    return studyCommand(args, err, [&](Session& s, const record::FieldTexts& t) {
        const auto r = s.study.integral(t);
        CommandResult result{"integral", {}, r.label, r.label ? 0 : r.error, {"value", "converged"}, {}};
        if (r.label && r.value)
            result.results.push_back({*r.value, r.valid});
        return writeResult(result, args, s, out);
    });
}

int runValue(const ParsedArgs& args, std::ostream& out, std::ostream& err)
{
    return studyCommand(args, err, [&](Session& s, const record::FieldTexts& t) {
        const auto r = s.study.value(t, args.value("--order").value_or("0"), args.value("--x").value_or("0"));
        CommandResult result{"value", {}, r.label, r.label ? 0 : r.error, {"x", "order", "value"}, {}};
        if (r.label)
            result.results.push_back({s.study.currentX(), s.study.study().derivativeOrder, r.value});
        return writeResult(result, args, s, out);
    });
}

}  // namespace tessaly::cli
