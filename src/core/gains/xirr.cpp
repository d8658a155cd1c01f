#include "core/gains/xirr.h"

#include <algorithm>
#include <cmath>
#include <vector>

using namespace std::chrono;

namespace {
struct Term
{
    double years;
    double amount;
};

// Present value at growth g = ln(1 + r): sum of a * e^(-g t), defined for every rate above -1.
double presentValue(double g, std::span<const Term> terms)
{
    double sum = 0;
    for (const Term &t : terms)
        sum += t.amount * std::exp(-g * t.years);
    return sum;
}

std::optional<double> newton(std::span<const Term> terms)
{
    double r = 0.1;
    for (int i = 0; i < 100; ++i) {
        double f = 0;
        double df = 0;
        for (const Term &t : terms) {
            const double v = t.amount * std::pow(1 + r, -t.years);
            f += v;
            df -= t.years * v / (1 + r);
        }
        if (df == 0 || !std::isfinite(f) || !std::isfinite(df))
            return std::nullopt;
        const double next = r - f / df;
        if (!(next > -1) || !std::isfinite(next))
            return std::nullopt;
        if (std::fabs(next - r) <= 1e-12 * std::max(1.0, std::fabs(r)))
            return next;
        r = next;
    }
    return std::nullopt;
}

std::optional<double> bracketed(std::span<const Term> terms)
{
    // g from -20 (r = -99.9999998%) to 20 (r about 4.85e8), in small steps.
    constexpr double Low = -20;
    constexpr double Step = 0.01;
    constexpr int Steps = 4000;
    const double start = std::log(1.1);
    std::optional<double> best;
    double previous = presentValue(Low, terms);
    for (int i = 1; i <= Steps; ++i) {
        double a = Low + (i - 1) * Step;
        double b = Low + i * Step;
        const double fb = presentValue(b, terms);
        const double fa = previous;
        previous = fb;
        if (std::isnan(fa) || std::isnan(fb) || (fa < 0) == (fb < 0))
            continue;
        double fLow = fa;
        for (int k = 0; k < 100 && b - a > 1e-15; ++k) {
            const double mid = (a + b) / 2;
            const double fm = presentValue(mid, terms);
            if ((fm < 0) == (fLow < 0)) {
                a = mid;
                fLow = fm;
            } else {
                b = mid;
            }
        }
        const double root = (a + b) / 2;
        if (!best || std::fabs(root - start) < std::fabs(*best - start))
            best = root;
    }
    if (!best)
        return std::nullopt;
    return std::expm1(*best);
}
} // namespace

std::optional<double> xirr(std::span<const CashFlow> flows)
{
    const auto bad = [](const CashFlow &f) { return !std::isfinite(f.amount) || !f.day.ok(); };
    if (flows.empty() || std::ranges::any_of(flows, bad))
        return std::nullopt;
    const bool paid = std::ranges::any_of(flows, [](const CashFlow &f) { return f.amount < 0; });
    const bool received =
        std::ranges::any_of(flows, [](const CashFlow &f) { return f.amount > 0; });
    if (!paid || !received)
        return std::nullopt;
    const sys_days origin{std::ranges::min(flows, {}, &CashFlow::day).day};
    std::vector<Term> terms;
    for (const CashFlow &f : flows)
        terms.push_back({double((sys_days{f.day} - origin).count()) / 365, f.amount});
    if (std::ranges::all_of(terms, [](const Term &t) { return t.years == 0; }))
        return std::nullopt;
    if (const auto r = newton(terms))
        return r;
    return bracketed(terms);
}
