#include "core/gains/gainsexport.h"

#include "core/common/datetext.h"
#include "core/common/exportfile.h"
#include "core/watch/logstamps.h"

#include <cstdio>

using namespace std::chrono;

namespace gainsexport {
namespace {
std::string money(double value)
{
    return logstamp::price(value);
}

std::string percent(double rate)
{
    char text[16];
    std::snprintf(text, sizeof text, "%g%%", rate);
    return text;
}

void appendRows(std::string &out, const GainsReport &report)
{
    out += "Symbol,Bought,Sold,Quantity,Cost,Cost for Gain,Sale Value,Gain,Term\n";
    for (const GainRow &row : report.rows) {
        out += exportfile::withoutCommas(row.symbol) + ',';
        out += (row.bought ? dayMonthYearText(*row.bought) : "unknown") + ',' +
               dayMonthYearText(row.sold) + ',';
        out += std::to_string(row.quantity) + ',' + money(row.cost) + ',';
        // A row left out has no gain to show: blank, not a figure that would be wrong.
        if (row.counted())
            out += money(row.costForGain) + ',' + money(row.saleValue) + ',' + money(row.gain) +
                   (row.term == GainTerm::LongTerm ? ",Long-term\n" : ",Short-term\n");
        else
            out += ',' + money(row.saleValue) + ",," + NeedsJan2018Value + '\n';
    }
}

void appendIntraday(std::string &out, const GainsReport &report)
{
    if (report.intraday.empty())
        return;
    out += "\nIntraday (speculative income)\nSymbol,Date,Quantity,Turnover,Result\n";
    for (const IntradayRow &row : report.intraday)
        out += exportfile::withoutCommas(row.symbol) + ',' + dayMonthYearText(row.day) + ',' +
               std::to_string(row.quantity) + ',' + money(row.turnover) + ',' + money(row.result) +
               '\n';
    out += "Intraday turnover," + money(report.intradayTurnover) + '\n';
    out += "Intraday result," + money(report.intradayResult) + '\n';
}

// " before 23-Jul-2024" / " from 23-Jul-2024" where the year spans a change of rates.
std::string periodSuffix(const GainsTax &tax, std::size_t i)
{
    if (i + 1 < tax.periods.size())
        return " before " + dayMonthYearText(tax.periods[i + 1].rates.from);
    if (i > 0)
        return " from " + dayMonthYearText(tax.periods[i].rates.from);
    return {};
}

void appendTotals(std::string &out, const GainsReport &report)
{
    const GainsTax &tax = report.tax;
    out += '\n';
    for (std::size_t i = 0; i < tax.periods.size(); ++i) {
        out += "Short-term gains" + periodSuffix(tax, i) + ',' + money(tax.periods[i].shortTerm);
        out += "\nLong-term gains" + periodSuffix(tax, i) + ',' + money(tax.periods[i].longTerm);
        out += '\n';
    }
    out += "Long-term exemption of the year," + money(tax.exemption) + '\n';
    out += "Long-term exemption used," + money(tax.exemptionUsed) + '\n';
    if (tax.shortTermLossCarried > 0)
        out += "Short-term loss to carry forward," + money(tax.shortTermLossCarried) + '\n';
    if (tax.longTermLossCarried > 0)
        out += "Long-term loss to carry forward," + money(tax.longTermLossCarried) + '\n';
    if (report.leftOut > 0)
        out += std::string("Rows left out of the totals (") + NeedsJan2018Value + ")," +
               std::to_string(report.leftOut) + '\n';

    out += "\nTax,Rate,Taxable,Tax\n";
    for (std::size_t i = 0; i < tax.periods.size(); ++i) {
        const PeriodGains &p = tax.periods[i];
        out += "Short-term" + periodSuffix(tax, i) + ',' + percent(p.rates.shortTerm) + ',' +
               money(p.taxableShortTerm) + ',' + money(p.shortTermTax) + '\n';
        out += "Long-term" + periodSuffix(tax, i) + ',' + percent(p.rates.longTerm) + ',' +
               money(p.taxableLongTerm) + ',' + money(p.longTermTax) + '\n';
    }
    out += "Total tax,,," + money(tax.tax) + '\n';
    out += BeforeSurchargeAndCess;
    out += '\n';
}

void appendWindows(std::string &out, const GainsReport &report)
{
    out += "\nAdvance-tax window,Short-term,Long-term,Intraday\n";
    for (const AdvanceTaxWindow &w : report.windows)
        out += dayMonthYearText(w.from) + " to " + dayMonthYearText(w.to) + ',' +
               money(w.shortTerm) + ',' + money(w.longTerm) + ',' + money(w.intraday) + '\n';
}
} // namespace

std::string content(const GainsReport &report)
{
    std::string out = "Capital Gains for the financial year " + report.year.name() + "\n\n";
    appendRows(out, report);
    appendIntraday(out, report);
    appendTotals(out, report);
    appendWindows(out, report);
    return out;
}

std::string write(DataFileSystem &files, const std::string &folder, const std::string &name,
                  const GainsReport &report)
{
    return exportfile::write(files, folder, name, content(report), Exported);
}
} // namespace gainsexport
