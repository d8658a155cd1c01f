#include "core/gains/gainsreport.h"

#include "core/gains/holdingperiod.h"

#include <algorithm>

using namespace std::chrono;

std::array<AdvanceTaxWindow, 5> advanceTaxWindows(FinancialYear year)
{
    const auto y = std::chrono::year{year.firstYear};
    std::array<AdvanceTaxWindow, 5> w;
    w[0] = {y / April / 1, y / June / 15};
    w[1] = {y / June / 16, y / September / 15};
    w[2] = {y / September / 16, y / December / 15};
    w[3] = {y / December / 16, (y + years{1}) / March / 15};
    w[4] = {(y + years{1}) / March / 16, (y + years{1}) / March / 31};
    return w;
}

GainRow gainRow(const LotSale &sale, const Jan2018Values &values)
{
    GainRow row{sale.symbol, sale.bought, sale.sold, sale.quantity, sale.cost, 0, sale.saleValue};
    if (!sale.bought) {
        row.issue = GainIssue::NoBuyDate;
        return row;
    }
    row.term = isLongTerm(*sale.bought, sale.sold) ? GainTerm::LongTerm : GainTerm::ShortTerm;
    const std::optional<double> cost = costForGain(sale, values);
    if (!cost) {
        row.issue = GainIssue::NoJan2018Value;
        return row;
    }
    row.costForGain = *cost;
    row.gain = sale.saleValue - *cost;
    return row;
}

GainsReport gainsReport(std::span<const LotSale> sales, FinancialYear year,
                        const Jan2018Values &values)
{
    GainsReport report;
    report.year = year;
    report.windows = advanceTaxWindows(year);
    const auto windowOf = [&](year_month_day day) {
        return std::ranges::find_if(report.windows,
                                    [&](const AdvanceTaxWindow &w) { return day <= w.to; });
    };
    for (const LotSale &sale : sales) {
        if (!year.contains(sale.sold))
            continue;
        if (sale.kind == TradeKind::Intraday) {
            const double result = sale.saleValue - sale.cost;
            report.intraday.push_back(
                {sale.symbol, sale.sold, sale.quantity, sale.turnover, result});
            report.intradayTurnover += sale.turnover;
            report.intradayResult += result;
            windowOf(sale.sold)->intraday += result;
            continue;
        }
        const GainRow &row = report.rows.emplace_back(gainRow(sale, values));
        if (!row.counted()) {
            ++report.leftOut;
            continue;
        }
        auto window = windowOf(sale.sold);
        (row.term == GainTerm::LongTerm ? window->longTerm : window->shortTerm) += row.gain;
    }
    // The lots of one sale stay in the order they were consumed.
    std::ranges::stable_sort(report.rows, {}, &GainRow::sold);
    std::ranges::stable_sort(report.intraday, {}, &IntradayRow::day);
    report.tax = gainsTax(report.rows, year);
    return report;
}

std::vector<std::string> symbolsNeedingJan2018Value(const GainsReport &report)
{
    std::vector<std::string> symbols;
    for (const GainRow &row : report.rows)
        if (row.issue == GainIssue::NoJan2018Value)
            symbols.push_back(row.symbol);
    std::ranges::sort(symbols);
    symbols.erase(std::unique(symbols.begin(), symbols.end()), symbols.end());
    return symbols;
}
