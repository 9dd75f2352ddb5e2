#include "cli/tablecommand.h"

#include <cmath>

#include "cli/cli.h"
#include "cli/resultoutput.h"
#include "cli/session.h"
#include "cli/studycommands.h"
#include "common/leadingnumber.h"
#include "common/numbertext.h"
#include "engine/errors.h"
#include "record/fieldreading.h"

namespace tessaly::cli {
namespace {

// The abscissas of a table from a towards b: `points` of them spread evenly,
// both ends included, or (when step is above 0) a, a + step, ... as far as b,
// a rounding error short of b counting as b. Nothing when they would be more
// than kMaxTablePoints.
std::optional<std::vector<double>> abscissas(double a, double b, std::int32_t points, double step)
{
    std::vector<double> xs;
    if (step > 0) {
        const double steps = std::fabs(b - a) / step;
        if (!(steps < kMaxTablePoints))
            return std::nullopt;
        const auto count = static_cast<std::int32_t>(std::floor(steps * (1 + 1e-12))) + 1;
        if (count > kMaxTablePoints)
            return std::nullopt;
        const double towards = b < a ? -step : step;
        for (std::int32_t i = 0; i < count; ++i)
            xs.push_back(a + i * towards);
    } else {
        for (std::int32_t i = 0; i < points; ++i)
            xs.push_back(std::lerp(a, b, static_cast<double>(i) / (points - 1)));
    }
    return xs;
}

}  // namespace

std::vector<KnownOption> tableOptions()
{
    std::vector<KnownOption> known = listOptions();
    known.insert(known.begin(),
                 {orderOption(),
                  {"--points", false, OptionValue::Number, "N", "points, both ends included: 2 to 100000", "11"},
                  {"--step", false, OptionValue::Number, "H", "the distance between points, instead of --points"}});
    return known;
}

int runTable(const ParsedArgs& args, std::ostream& out, std::ostream& err)
{
    const auto pointsText = args.value("--points");
    const auto stepText = args.value("--step");
    if (pointsText && stepText)
        return usageError(err, "--points and --step cannot be given together");
    std::int32_t points = 11;
    if (pointsText && (record::readWholeNumber(*pointsText, points) || points < 2 || points > kMaxTablePoints))
        return usageError(err, "--points takes a whole number from 2 to " + std::to_string(kMaxTablePoints));
    double step = 0;
    if (stepText && (record::readNumber(*stepText, step) || !(step > 0)))
        return usageError(err, "--step takes a number above 0");

    return studyCommand(args, err, [&](Session& s, const record::FieldTexts& t) {
        CommandResult result{"table", {}, std::nullopt, 0, {"x", "order", "value", "error"}, {}, {}};
        if (const auto e = s.study.readForValue(t, args.value("--order").value_or("0"))) {
            result.error = e;
            return writeResult(result, args, s, out);
        }
        const numeric::StudyInputs& study = s.study.study();
        const auto xs = abscissas(study.lower, study.upper, points, step);
        if (!xs)
            return usageError(
                err, "--step " + *stepText + " makes more than " + std::to_string(kMaxTablePoints) + " points");
        for (const double exact : *xs) {
            // f is evaluated where the line says: at the number x's text reads back as.
            const std::string xText = common::numberText(exact);
            const double x = common::readLeadingNumber(xText).value_or(exact);
            const session::ValueResult r = s.study.valueAt(x);
            if (r.error && !engine::isTolerated(r.error)) {
                result.error = r.error;
                break;
            }
            const std::int32_t order = study.derivativeOrder;
            if (r.error) {
                result.rows.push_back(xText + "\terror " + std::to_string(r.error));
                result.results.push_back({x, order, Json(), r.error});
            } else {
                result.rows.push_back(xText + "\t" + *r.label);
                result.results.push_back({x, order, r.value, 0});
            }
        }
        return writeResult(result, args, s, out);
    });
}

}  // namespace tessaly::cli
