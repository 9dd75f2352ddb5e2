#include "cli/studycommands.h"

#include <cmath>

#include "cli/cli.h"
#include "cli/progress.h"
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
        decltype(s.study.roots(t)) r;
        runWithProgress(s, "roots", err, [&] { r = s.study.roots(t); });
        CommandResult result{
            "roots", r.rows, r.label, r.label ? 0 : r.error, {"x", "lo", "hi", "certified", "residual"}, {}, {}};
        const auto& bounds = s.study.trust().roots;
        for (std::size_t i = 0; i < r.roots.size(); ++i) {
            if (i < bounds.size())
                result.results.push_back(
                    {r.roots[i], bounds[i].lo, bounds[i].hi, bounds[i].certified, bounds[i].residual});
            else
                result.results.push_back({r.roots[i], Json(), Json(), Json(), Json()});
        }
        result.warnings = s.study.trust().rootWarnings;
        return writeResult(result, args, s, out);
    });
}

int runExtrema(const ParsedArgs& args, std::ostream& out, std::ostream& err)
{
    return studyCommand(args, err, [&](Session& s, const record::FieldTexts& t) {
        decltype(s.study.extrema(t)) r;
        runWithProgress(s, "extrema", err, [&] { r = s.study.extrema(t); });
        CommandResult result{"extrema",
                             r.rows,
                             r.label,
                             r.label ? 0 : r.error,
                             {"kind", "x", "y", "e", "certified", "height_uncertainty", "possible_root"},
                             {},
                             {}};
        // possible_root is the sounder test of the bounds: the height reaches 0
        // within its uncertainty, or f changes sign within a grid step. The
        // label's count is the described one, |f| within the error bound.
        for (const auto& b : s.study.trust().extrema)
            result.results.push_back(
                {b.maximum ? "max" : "min", b.x, b.y, b.e, b.certified, b.heightUncertainty, b.possibleRoot});
        return writeResult(result, args, s, out);
    });
}

int runIntegral(const ParsedArgs& args, std::ostream& out, std::ostream& err)
{
    return studyCommand(args, err, [&](Session& s, const record::FieldTexts& t) {
        decltype(s.study.integral(t)) r;
        runWithProgress(s, "integral", err, [&] { r = s.study.integral(t); });
        CommandResult result{"integral", {}, r.label, r.label ? 0 : r.error, {"value", "error_estimate", "converged"},
                             {},         {}};
        // With "No convergence" the last estimate and its bound are still given.
        if (const auto& b = s.study.trust().integral; r.label && b)
            result.results.push_back({b->value, b->errorEstimate, b->converged});
        result.warnings = s.study.trust().integralWarnings;
        return writeResult(result, args, s, out);
    });
}

int runValue(const ParsedArgs& args, std::ostream& out, std::ostream& err)
{
    return studyCommand(args, err, [&](Session& s, const record::FieldTexts& t) {
        session::ValueResult r;
        runWithProgress(s, "value", err, [&] {
            r = s.study.value(t, args.value("--order").value_or("0"), args.value("--x").value_or("0"));
        });
        CommandResult result{"value",
                             {},
                             r.label,
                             r.label ? 0 : r.error,
                             {"x", "order", "value", "error_estimate", "significant_digits"},
                             {},
                             {}};
        if (const auto& b = s.study.trust().value; r.label && b)
            result.results.push_back({b->x, b->order, b->value, b->errorEstimate,
                                      b->significantDigits ? Json(*b->significantDigits) : Json()});
        result.warnings = s.study.trust().valueWarnings;
        return writeResult(result, args, s, out);
    });
}

}  // namespace tessaly::cli
