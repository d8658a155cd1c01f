#include "core/gains/gainstax.h"

#include "core/portfolio/rounding.h"

#include <algorithm>

using namespace std::chrono;

namespace {
struct Bucket
{
    double rate;
    bool longTerm;
    double *taxable;
};

// Takes from the pool into the buckets in their order, as far as each one goes.
void absorb(double &pool, std::span<Bucket> buckets, bool longTermOnly)
{
    for (Bucket &b : buckets) {
        if (longTermOnly && !b.longTerm)
            continue;
        const double take = std::min(pool, *b.taxable);
        *b.taxable -= take;
        pool -= take;
    }
}
} // namespace

GainsTax gainsTax(std::span<const GainRow> rows, FinancialYear year)
{
    GainsTax out;
    const auto all = ratePeriods();
    for (std::size_t i = 0; i < all.size(); ++i) {
        const bool endsBefore = i + 1 < all.size() && all[i + 1].from <= year.first();
        if (!endsBefore && all[i].from <= year.last())
            out.periods.push_back({all[i]});
    }
    double shortTermLoss = 0;
    double longTermLoss = 0;
    for (const GainRow &row : rows) {
        if (!row.counted() || !year.contains(row.sold))
            continue;
        const auto period = std::ranges::find(out.periods, ratesOn(row.sold).from,
                                              [](const PeriodGains &p) { return p.rates.from; });
        const bool longTerm = row.term == GainTerm::LongTerm;
        (longTerm ? period->longTerm : period->shortTerm) += row.gain;
        if (row.gain > 0)
            (longTerm ? period->taxableLongTerm : period->taxableShortTerm) += row.gain;
        else
            (longTerm ? longTermLoss : shortTermLoss) -= row.gain;
    }

    std::vector<Bucket> buckets;
    for (PeriodGains &p : out.periods) {
        buckets.push_back({p.rates.shortTerm, false, &p.taxableShortTerm});
        buckets.push_back({p.rates.longTerm, true, &p.taxableLongTerm});
    }
    std::ranges::stable_sort(buckets, std::ranges::greater{}, &Bucket::rate);
    absorb(longTermLoss, buckets, true);
    absorb(shortTermLoss, buckets, false);
    out.exemption = longTermExemption(year);
    double exemptionLeft = out.exemption;
    absorb(exemptionLeft, buckets, true);
    out.exemptionUsed = out.exemption - exemptionLeft;
    out.shortTermLossCarried = shortTermLoss;
    out.longTermLossCarried = longTermLoss;

    for (PeriodGains &p : out.periods) {
        p.shortTermTax = roundHalfAway(p.taxableShortTerm * p.rates.shortTerm / 100, 2);
        p.longTermTax = roundHalfAway(p.taxableLongTerm * p.rates.longTerm / 100, 2);
        out.tax += p.shortTermTax + p.longTermTax;
    }
    return out;
}
