#include "numeric/estimates.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "common/numbertext.h"

namespace tessaly::numeric {
namespace {

constexpr double kEpsilon = std::numeric_limits<double>::epsilon();

// f at x, or nothing where it fails (a bound is then left uncertified).
std::optional<double> at(StudyFunction& f, double x)
{
    const auto v = f.at(x);
    if (v.error) {
        f.trapped(v.error);  // clears the extension object's own number
        return std::nullopt;
    }
    return v.value;
}

double sign(double v) { return v > 0 ? 1 : v < 0 ? -1 : 0; }

// The grid step of a study: (b - a) / N, at least the smallest step that moves x.
double gridStep(const StudyInputs& in)
{
    const double h = in.subintervals > 0 ? std::fabs(in.upper - in.lower) / in.subintervals : 0;
    return std::isfinite(h) ? h : std::numeric_limits<double>::max();
}

// The least width a search around x starts from: one that moves x, and not
// below 2^-40 of the grid step (so a search reaches the step in 41 doublings).
double leastWidth(double x, double h) { return std::fmax(4 * kEpsilon * std::fabs(x), std::ldexp(h, -40)); }

}  // namespace

std::vector<RootBound> rootBounds(StudyFunction& f, const RootsOutcome& roots, const StudyInputs& in)
{
    const double h = gridStep(in);
    std::vector<RootBound> out;
    for (std::size_t k = 0; k < roots.roots.size(); ++k) {
        RootBound b;
        b.x = b.lo = b.hi = roots.roots[k];
        const auto fx = at(f, b.x);
        b.residual = fx ? std::fabs(*fx) : std::numeric_limits<double>::quiet_NaN();
        if (fx && *fx == 0) {
            // f rounds to 0 at x: the root is where f changes sign around it.
            for (double w = leastWidth(b.x, h); w <= 2 * h && !b.certified; w *= 2) {
                const auto below = at(f, b.x - w), above = at(f, b.x + w);
                if (below && above && sign(*below) * sign(*above) < 0) {
                    b.lo = b.x - w;
                    b.hi = b.x + w;
                    b.certified = true;
                }
            }
        } else if (fx) {
            // The root lies on the side the Newton correction points to, about
            // |f / f'| away: look there first, twice as far each time after.
            const double slope = k < roots.slopes.size() ? roots.slopes[k] : 0;
            const double correction = slope != 0 ? std::fabs(*fx / slope) : 0;
            const double towards = slope != 0 ? -sign(*fx) * sign(slope) : 1;
            double w = std::fmax(2 * correction, leastWidth(b.x, h));
            for (; w <= 2 * h && !b.certified; w *= 2) {
                for (const double side : {towards, -towards}) {
                    const double y = b.x + side * w;
                    if (const auto fy = at(f, y); fy && sign(*fy) == -sign(*fx)) {
                        b.lo = std::fmin(b.x, y);
                        b.hi = std::fmax(b.x, y);
                        b.certified = true;
                        break;
                    }
                    if (slope != 0)
                        break;  // with a slope, only its side
                }
            }
        }
        out.push_back(b);
    }
    return out;
}

std::vector<ExtremumBound> extremumBounds(StudyFunction& f, const ExtremaOutcome& extrema, const StudyInputs& in)
{
    const double h = gridStep(in);
    std::vector<ExtremumBound> out;
    for (const auto& found : extrema.found) {
        ExtremumBound b;
        b.maximum = found.maximum;
        b.x = found.x;
        b.y = found.y;
        const double up = found.maximum ? -1 : 1;  // the way f goes away from the extremum
        double e = std::fmax(found.step, leastWidth(b.x, h));
        double curvature = 0;
        for (; e <= 2 * h; e *= 2) {
            const auto l1 = at(f, b.x - e / 2), r1 = at(f, b.x + e / 2);
            const auto l2 = at(f, b.x - e), r2 = at(f, b.x + e);
            b.e = e;
            if (!l1 || !r1 || !l2 || !r2)
                break;  // f fails next to it: a pole or a gap
            // The noise of a value of f: a few units in the last place of the
            // largest value compared.
            const double noise = 64 * kEpsilon * std::max({std::fabs(b.y), std::fabs(*l2), std::fabs(*r2)});
            curvature = (*l1 - 2 * b.y + *r1) / (e * e / 4);
            const bool rises = up * (*l1 - b.y) > noise && up * (*r1 - b.y) > noise && up * (*l2 - *l1) > noise
                               && up * (*r2 - *r1) > noise;
            if (rises) {
                b.certified = true;
                break;
            }
        }
        b.heightUncertainty = 0.5 * std::fabs(curvature) * b.e * b.e;
        bool signChange = false;
        for (const double side : {-h, h})
            if (const auto fy = at(f, b.x + side); fy && sign(*fy) != 0 && sign(*fy) == -sign(b.y))
                signChange = true;
        b.possibleRoot = std::fabs(b.y) <= b.heightUncertainty || signChange;
        out.push_back(b);
    }
    return out;
}

IntegralTrust integralBound(StudyFunction& f, const IntegralOutcome& integral, const StudyInputs& in)
{
    IntegralTrust out;
    if (!integral.value || integral.estimates.size() < 2)
        return out;
    const std::vector<double>& B = integral.estimates;  // Simpson first, then the Boole estimates
    const std::size_t n = B.size();
    const double last = B[n - 1];
    const double dB = std::fabs(B[n - 1] - B[n - 2]);
    double estimate = 0;
    if (n >= 4) {
        // The last three Boole estimates: the ratio of their differences tells
        // how fast they converge.
        const double previous = std::fabs(B[n - 2] - B[n - 3]);
        const double rho =
            dB != 0 ? (B[n - 2] - B[n - 3]) / (B[n - 1] - B[n - 2]) : std::numeric_limits<double>::infinity();
        if (dB == 0 && previous == 0)
            estimate = 0;
        else if (rho >= 40)
            estimate = 2 * dB / (rho - 1);
        else if (rho > 1.5)
            estimate = 4 * dB / (rho - 1);
        else
            estimate = 2 * (dB + previous);
    } else {
        estimate = 2 * dB;  // one comparison only (Simpson, or one halving)
    }
    const double absIntegral = integral.absEstimates.empty() ? 0 : integral.absEstimates.back();
    estimate += 100 * kEpsilon * absIntegral;
    out.bound = IntegralBound{last, estimate, integral.valid};

    auto warn = [&out](std::string text) {
        Warning w;
        w.kind = Warning::Kind::IntegralUnreliable;
        w.text = std::move(text);
        out.warnings.push_back(std::move(w));
    };
    const auto& abs = integral.absEstimates;
    if (abs.size() >= 2 && std::fabs(abs.back() - abs[abs.size() - 2]) > 0.01 * std::fabs(abs.back()))
        warn(
            "The integral of |f| changed by more than 1 % at the last halving: a pole or an unresolved "
            "oscillation may make the result wrong");
    if (integral.panels > 0 && integral.panels <= kMaxGaussPanels) {
        // Three-point Gauss on each final panel, as a check the Boole rule does not share.
        const double w = integral.panelWidth;
        const double node = std::sqrt(0.6) * w / 2;
        double gauss = 0;
        bool ok = true;
        for (std::int32_t k = 0; k < integral.panels && ok; ++k) {
            const double mid = in.lower + (k + 0.5) * w;
            const auto l = at(f, mid - node), c = at(f, mid), r = at(f, mid + node);
            ok = l && c && r;
            if (ok)
                gauss += (5 * *l + 8 * *c + 5 * *r) / 18 * w;
        }
        if (ok && std::fabs(gauss - last) > estimate)
            warn("A three-point Gauss rule on the same panels gives " + common::numberText(gauss)
                 + ", further from the result than its error estimate");
    }
    return out;
}

namespace {

// The command's difference quotient of the order at x with its step scaled.
std::optional<double> scaledDifference(StudyFunction& f, std::int32_t order, double x, double scale,
                                       const Factorials& factorials)
{
    auto value = [&](double offset) { return at(f, x + offset); };
    if (order == 1 || order == 2) {
        const double d = 0.0045 * scale;
        const auto fm2 = value(-2 * d), fm1 = value(-d), f1 = value(d), f2 = value(2 * d);
        const auto f0 = order == 2 ? value(0) : std::optional<double>(0);
        if (!fm2 || !fm1 || !f0 || !f1 || !f2)
            return std::nullopt;
        if (order == 1)
            return ((*fm2 - 8 * *fm1 + 8 * *f1 - *f2) / 12) / d;
        return (((-*fm2 + 16 * *fm1 - 30 * *f0 + 16 * *f1 - *f2) / d) / d) / 12;
    }
    if (order < 3 || order > 33)
        return std::nullopt;
    const double h = std::pow(0.00001, 1.0 / order) * scale;
    double sum = 0;
    for (std::int32_t k = 0; k <= order; ++k) {
        const auto fx = value(h * ((order - k) - k));
        if (!fx)
            return std::nullopt;
        sum += (k % 2 == 0 ? 1 : -1) * *fx / factorials[static_cast<std::size_t>(order - k)]
               / factorials[static_cast<std::size_t>(k)];
    }
    return factorials[static_cast<std::size_t>(order)] / std::pow(2 * h, order) * sum;
}

}  // namespace

ValueTrust valueBound(StudyFunction& f, const ValueOutcome& value, std::int32_t order, double x,
                      const Factorials& factorials)
{
    ValueTrust out;
    if (!value.label)
        return out;
    ValueBound b;
    b.x = x;
    b.order = order;
    b.value = value.value;
    b.errorEstimate = 4 * kEpsilon * value.magnitude;
    if (order > 0) {
        const auto doubled = scaledDifference(f, order, x, 2, factorials);
        const auto halved = scaledDifference(f, order, x, 0.5, factorials);
        if (doubled && halved)
            b.errorEstimate += 2 * std::fmax(std::fabs(b.value - *doubled), std::fabs(b.value - *halved));
        else
            b.errorEstimate = std::numeric_limits<double>::infinity();  // f fails beside the point
    }
    b.significantDigits = significantDigits(b.value, b.errorEstimate);
    if (!b.significantDigits) {
        Warning w;
        w.kind = Warning::Kind::NoSignificantDigit;
        w.x = x;
        w.text = "The value " + common::numberText(b.value) + " has no significant digit: its error estimate is "
                 + common::numberText(b.errorEstimate);
        out.warnings.push_back(std::move(w));
    }
    out.bound = b;
    return out;
}

}  // namespace tessaly::numeric
